// Device-independent bitmaps in their own bit depth: what a BMP file holds
// (and what the GIF and TIFF writers need, because 1-, 4- and 8-bit
// pictures keep their palette and indexes), next to the editor's 24-bit
// Raster.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/raster.h"

namespace ksv {

// Bytes of one stored row: bit_count * width bits rounded up to 4 bytes,
// worked out in 64 bits. Only meaningful for a bitmap that DibLayoutFor
// accepts: on the 32-bit build a larger stride would not fit a size_t.
constexpr std::size_t DibStride(int width, int bit_count) {
  return static_cast<std::size_t>(
      ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bit_count) + 31) / 32) * 4);
}

struct DibLayout {
  std::size_t stride = 0;
  std::uint64_t byte_size = 0;
};

// The stride and byte size of a width x height bitmap of the given depth
// (1 to 32 bits), or nullopt when the buffer would exceed max_bytes or a
// size_t (4 GiB on the 32-bit build, where products of sizes would wrap).
std::optional<DibLayout> DibLayoutFor(std::int64_t width, std::int64_t height, int bit_count,
                                      std::uint64_t max_bytes = kMaxBufferBytes);

// A read-only look at a bitmap's pixels, owned elsewhere.
struct DibView {
  int width = 0;
  int height = 0;          // number of rows, never negative
  bool bottom_up = false;  // rows stored from the bottom row up
  int bit_count = 24;      // 1, 4, 8, 16, 24 or 32
  // For 16 bits: where red, green and blue sit in each little-endian
  // 16-bit pixel (5-5-5 unless stated otherwise). 32-bit pixels are always
  // blue, green, red, unused.
  std::uint32_t red_mask = 0x7C00;
  std::uint32_t green_mask = 0x03E0;
  std::uint32_t blue_mask = 0x001F;
  std::span<const Color> palette;  // 1, 4 and 8 bits; may be shorter than 2^bits
  const std::uint8_t* bits = nullptr;
  std::size_t stride = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
  // Row y counted from the top, whatever the stored order.
  const std::uint8_t* Row(int y) const {
    const int stored = bottom_up ? height - 1 - y : y;
    return bits + static_cast<std::size_t>(stored) * stride;
  }
  // The colour of pixel (x, y) counted from the top; indexes outside the
  // palette give black.
  Color Pixel(int x, int y) const;
};

// A bitmap that owns its pixels.
struct Dib {
  int width = 0;
  int height = 0;
  bool bottom_up = false;
  int bit_count = 24;
  std::uint32_t red_mask = 0x7C00;
  std::uint32_t green_mask = 0x03E0;
  std::uint32_t blue_mask = 0x001F;
  std::vector<Color> palette;
  std::vector<std::uint8_t> bits;

  // Zero-filled pixels of the given size and depth, rows top-down. A size
  // of zero or less gives an empty bitmap; one whose buffer cannot be
  // addressed throws std::length_error.
  static Dib Make(int width, int height, int bit_count);

  bool Empty() const { return width <= 0 || height <= 0; }
  std::size_t Stride() const { return DibStride(width, bit_count); }
  std::uint8_t* MutableRow(int y) {
    const int stored = bottom_up ? height - 1 - y : y;
    return bits.data() + static_cast<std::size_t>(stored) * Stride();
  }
  DibView View() const;
};

// The Raster as a top-down 24-bit bitmap, without copying its pixels.
DibView ViewOf(const Raster& raster);

// A 24-bit top-down copy of the Raster.
Dib ToDib(const Raster& raster);

// Any bitmap converted to the editor's 24-bit layout. Throws
// std::length_error, before reading a pixel, for a size Raster refuses.
Raster ToRaster(const DibView& dib);

bool IsPaletteDepth(int bit_count);

}  // namespace ksv
