// What every fuzz target asks of a picture a reader accepted: the size rule
// of the readers holds and the buffer is as large as the picture says. A
// reader that returns less would make its callers read past the end later,
// where the fuzzer no longer sees the input that caused it; one that
// returns more than the rule allows is a size check that went missing.
// Either is reported as a crash with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/raster.h"
#include "output/dib.h"
#include "output/size_limits.h"

namespace ksv::fuzz {

[[noreturn]] inline void Fail(const char* what, std::int64_t width, std::int64_t height) {
  std::fprintf(stderr, "fuzz check failed: %s (%lld x %lld)\n", what, static_cast<long long>(width),
               static_cast<long long>(height));
  std::abort();
}

// Reads the first and last byte of every row, so that a buffer shorter
// than its rows is caught by ASan here rather than by whoever draws it.
inline unsigned TouchRows(const std::uint8_t* bits, std::size_t stride, std::size_t row_bytes, int height) {
  unsigned sum = 0;
  if (row_bytes == 0) return sum;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = bits + static_cast<std::size_t>(y) * stride;
    sum += row[0] + row[row_bytes - 1];
  }
  return sum;
}

inline void CheckDib(const Dib& dib) {
  if (!PictureSizeAllowed(dib.width, dib.height)) Fail("bitmap exceeds the size rule", dib.width, dib.height);
  if (dib.Empty()) return;
  switch (dib.bit_count) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Fail("bitmap has an unknown depth", dib.width, dib.height);
  }
  if (IsPaletteDepth(dib.bit_count) && dib.palette.size() > (std::size_t{1} << dib.bit_count)) {
    Fail("palette longer than the depth allows", dib.width, dib.height);
  }
  const std::size_t stride = dib.Stride();
  if (dib.bits.size() < stride * static_cast<std::size_t>(dib.height)) {
    Fail("bitmap buffer shorter than its rows", dib.width, dib.height);
  }
  const std::size_t row_bytes = (static_cast<std::size_t>(dib.width) * dib.bit_count + 7) / 8;
  volatile unsigned sink = TouchRows(dib.bits.data(), stride, row_bytes, dib.height);
  (void)sink;
}

inline void CheckRaster(const Raster& raster) {
  if (!PictureSizeAllowed(raster.Width(), raster.Height())) {
    Fail("raster exceeds the size rule", raster.Width(), raster.Height());
  }
  if (raster.Empty()) return;
  if (raster.Stride() < 3 * raster.Width())
    Fail("raster stride shorter than a row", raster.Width(), raster.Height());
  volatile unsigned sink = TouchRows(raster.Bits(), static_cast<std::size_t>(raster.Stride()),
                                     static_cast<std::size_t>(raster.Width()) * 3, raster.Height());
  (void)sink;
}

}  // namespace ksv::fuzz
