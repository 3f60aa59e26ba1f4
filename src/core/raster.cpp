#include "core/raster.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ksv {

std::optional<RasterLayout> RasterLayoutFor(std::int64_t width, std::int64_t height,
                                            std::uint64_t max_bytes) {
  if (width < 0 || height < 0 || width > INT_MAX || height > INT_MAX) return std::nullopt;
  const std::int64_t stride = (width * 3 + 3) & ~std::int64_t{3};
  if (stride > INT_MAX) return std::nullopt;
  // Both factors are below 2^31, so the product cannot wrap 64 bits.
  const std::uint64_t bytes = static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height);
  if (bytes > max_bytes || bytes > SIZE_MAX) return std::nullopt;
  return RasterLayout{static_cast<int>(stride), bytes};
}

Raster::Raster(int width, int height) {
  if (width <= 0 || height <= 0) return;
  const std::optional<RasterLayout> layout = RasterLayoutFor(width, height);
  if (!layout)
    throw std::length_error("raster of " + std::to_string(width) + " x " + std::to_string(height) +
                            " pixels does not fit in memory");
  width_ = width;
  height_ = height;
  stride_ = layout->stride;
  pixels_ = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(layout->byte_size),
                                                        std::uint8_t{0});
}

Raster::Raster(int width, int height, Color fill) : Raster(width, height) { Fill(fill); }

std::uint8_t* Raster::mutable_data() {
  if (!pixels_) return nullptr;
  if (pixels_.use_count() > 1) pixels_ = std::make_shared<std::vector<std::uint8_t>>(*pixels_);
  return pixels_->data();
}

Color Raster::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
  return MakeColor(p[2], p[1], p[0]);
}

void Raster::SetPixel(int x, int y, Color c) {
  std::uint8_t* p = MutableRow(y) + static_cast<std::size_t>(x) * 3;
  p[0] = static_cast<std::uint8_t>(BlueOf(c));
  p[1] = static_cast<std::uint8_t>(GreenOf(c));
  p[2] = static_cast<std::uint8_t>(RedOf(c));
}

bool Raster::SamePixels(const Raster& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  if (SharesPixelsWith(other)) return true;
  const std::size_t row_bytes = static_cast<std::size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) {
    if (std::memcmp(Row(y), other.Row(y), row_bytes) != 0) return false;
  }
  return true;
}

void Raster::Fill(Color c) {
  if (Empty()) return;
  std::uint8_t* first = MutableRow(0);
  for (int x = 0; x < width_; ++x) {
    first[x * 3] = static_cast<std::uint8_t>(BlueOf(c));
    first[x * 3 + 1] = static_cast<std::uint8_t>(GreenOf(c));
    first[x * 3 + 2] = static_cast<std::uint8_t>(RedOf(c));
  }
  for (int y = 1; y < height_; ++y) std::memcpy(MutableRow(y), first, static_cast<std::size_t>(stride_));
}

}  // namespace ksv
