#include "output/dib.h"

#include <bit>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ksv {

namespace {

// A channel of a 16-bit pixel spread to 0..255.
struct MaskChannel {
  explicit MaskChannel(std::uint32_t mask) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  int Extract(std::uint32_t pixel) const {
    if (max == 0) return 0;
    const std::uint32_t v = (pixel >> shift) & max;
    return static_cast<int>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
  }
  int shift = 0;
  std::uint32_t max = 0;
};

int IndexAt(const std::uint8_t* row, int x, int bit_count) {
  switch (bit_count) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default:
      return row[x];
  }
}

}  // namespace

bool IsPaletteDepth(int bit_count) { return bit_count == 1 || bit_count == 4 || bit_count == 8; }

Color DibView::Pixel(int x, int y) const {
  const std::uint8_t* row = Row(y);
  switch (bit_count) {
    case 1:
    case 4:
    case 8: {
      const int i = IndexAt(row, x, bit_count);
      return i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : Color{0};
    }
    case 16: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 2;
      const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
      return MakeColor(MaskChannel(red_mask).Extract(v), MaskChannel(green_mask).Extract(v),
                       MaskChannel(blue_mask).Extract(v));
    }
    case 32: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
      return MakeColor(p[2], p[1], p[0]);
    }
    default: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      return MakeColor(p[2], p[1], p[0]);
    }
  }
}

std::optional<DibLayout> DibLayoutFor(std::int64_t width, std::int64_t height, int bit_count,
                                      std::uint64_t max_bytes) {
  if (width < 0 || height < 0 || width > INT_MAX || height > INT_MAX || bit_count < 1 || bit_count > 32)
    return std::nullopt;
  // Below 2^31 * 32 bits: the row fits 64 bits with room to spare.
  const std::uint64_t stride =
      ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bit_count) + 31) / 32) * 4;
  if (stride > SIZE_MAX) return std::nullopt;
  if (height != 0 && stride > max_bytes / static_cast<std::uint64_t>(height)) return std::nullopt;
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(height);
  if (bytes > SIZE_MAX) return std::nullopt;
  return DibLayout{static_cast<std::size_t>(stride), bytes};
}

Dib Dib::Make(int width, int height, int bit_count) {
  Dib dib;
  if (width <= 0 || height <= 0) return dib;
  const std::optional<DibLayout> layout = DibLayoutFor(width, height, bit_count);
  if (!layout)
    throw std::length_error(std::to_string(bit_count) + "-bit bitmap of " + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels does not fit in memory");
  dib.width = width;
  dib.height = height;
  dib.bit_count = bit_count;
  dib.bits.assign(static_cast<std::size_t>(layout->byte_size), 0);
  return dib;
}

DibView Dib::View() const {
  DibView v;
  v.width = width;
  v.height = height;
  v.bottom_up = bottom_up;
  v.bit_count = bit_count;
  v.red_mask = red_mask;
  v.green_mask = green_mask;
  v.blue_mask = blue_mask;
  v.palette = palette;
  v.bits = bits.data();
  v.stride = Stride();
  return v;
}

DibView ViewOf(const Raster& raster) {
  DibView v;
  if (raster.Empty()) return v;
  v.width = raster.Width();
  v.height = raster.Height();
  v.bottom_up = false;
  v.bit_count = 24;
  v.bits = raster.Bits();
  v.stride = static_cast<std::size_t>(raster.Stride());
  return v;
}

Dib ToDib(const Raster& raster) {
  Dib dib = Dib::Make(raster.Width(), raster.Height(), 24);
  const std::size_t row_bytes = static_cast<std::size_t>(raster.Width()) * 3;
  for (int y = 0; y < dib.height; ++y) std::memcpy(dib.MutableRow(y), raster.Row(y), row_bytes);
  return dib;
}

Raster ToRaster(const DibView& dib) {
  if (dib.Empty()) return Raster();
  Raster out(dib.width, dib.height);  // throws for a size it cannot hold
  const std::size_t row_bytes = static_cast<std::size_t>(dib.width) * 3;
  switch (dib.bit_count) {
    case 24:
      for (int y = 0; y < dib.height; ++y) std::memcpy(out.MutableRow(y), dib.Row(y), row_bytes);
      break;
    case 32:
      for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* s = dib.Row(y);
        std::uint8_t* d = out.MutableRow(y);
        for (int x = 0; x < dib.width; ++x, s += 4, d += 3) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        }
      }
      break;
    case 16: {
      const MaskChannel r(dib.red_mask), g(dib.green_mask), b(dib.blue_mask);
      for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* s = dib.Row(y);
        std::uint8_t* d = out.MutableRow(y);
        for (int x = 0; x < dib.width; ++x, s += 2, d += 3) {
          const std::uint32_t v = static_cast<std::uint32_t>(s[0]) | (static_cast<std::uint32_t>(s[1]) << 8);
          d[0] = static_cast<std::uint8_t>(b.Extract(v));
          d[1] = static_cast<std::uint8_t>(g.Extract(v));
          d[2] = static_cast<std::uint8_t>(r.Extract(v));
        }
      }
      break;
    }
    default: {
      // Palette depths: look every index up once per pixel.
      Color table[256] = {};
      for (std::size_t i = 0; i < dib.palette.size() && i < 256; ++i) table[i] = dib.palette[i];
      for (int y = 0; y < dib.height; ++y) {
        const std::uint8_t* s = dib.Row(y);
        std::uint8_t* d = out.MutableRow(y);
        for (int x = 0; x < dib.width; ++x, d += 3) {
          const Color c = table[IndexAt(s, x, dib.bit_count)];
          d[0] = static_cast<std::uint8_t>(BlueOf(c));
          d[1] = static_cast<std::uint8_t>(GreenOf(c));
          d[2] = static_cast<std::uint8_t>(RedOf(c));
        }
      }
      break;
    }
  }
  return out;
}

}  // namespace ksv
