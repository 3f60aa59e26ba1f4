// The editor's picture: a 24-bit raster with rows top-down and pixels in
// blue-green-red order. Copies share their pixels until one of them is
// written, so history snapshots and previews cost nothing until used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ksv {

// A colour as 0x00BBGGRR: red in the low byte.
using Color = std::uint32_t;

constexpr Color MakeColor(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// The largest pixel buffer any target can hold: std::vector refuses more
// than PTRDIFF_MAX bytes, which is 2 GiB on the 32-bit build.
inline constexpr std::uint64_t kMaxBufferBytes = static_cast<std::uint64_t>(PTRDIFF_MAX);

struct RasterLayout {
  int stride = 0;
  std::uint64_t byte_size = 0;
};

// The row stride and byte size of a width x height raster, worked out in
// 64 bits; nullopt when the stride would not fit an int or the buffer would
// exceed max_bytes. The limit is a parameter so that the 32-bit build's
// arithmetic can be checked on any machine.
std::optional<RasterLayout> RasterLayoutFor(std::int64_t width, std::int64_t height,
                                            std::uint64_t max_bytes = kMaxBufferBytes);

class Raster {
 public:
  Raster() = default;
  // A raster of the given size filled with black. Negative sizes give an
  // empty raster; a size whose rows or buffer cannot be addressed throws
  // std::length_error (and one that memory cannot hold std::bad_alloc), so
  // no caller ever holds a raster smaller than it says.
  Raster(int width, int height);
  Raster(int width, int height, Color fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Bytes from one row to the next: 3 * width rounded up to 4, so that the
  // pixels can be handed to GDI as a top-down DIB without copying.
  int Stride() const { return stride_; }
  std::size_t ByteSize() const { return static_cast<std::size_t>(stride_) * height_; }

  // Read access never copies.
  const std::uint8_t* Row(int y) const { return data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Bits() const { return data(); }

  // Write access detaches this raster from any other copy first.
  std::uint8_t* MutableRow(int y) { return mutable_data() + static_cast<std::size_t>(y) * stride_; }
  std::uint8_t* MutableBits() { return mutable_data(); }

  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // True when both rasters use the same pixel buffer (no copy made yet).
  bool SharesPixelsWith(const Raster& other) const { return pixels_ != nullptr && pixels_ == other.pixels_; }
  // Same size and the same pixel values (padding bytes are ignored).
  bool SamePixels(const Raster& other) const;

  void Fill(Color c);

 private:
  const std::uint8_t* data() const { return pixels_ ? pixels_->data() : nullptr; }
  std::uint8_t* mutable_data();

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::shared_ptr<std::vector<std::uint8_t>> pixels_;
};

}  // namespace ksv
