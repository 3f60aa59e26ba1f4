// Test pictures and helpers shared by the output tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/raster.h"
#include "output/dib.h"

namespace ksv::test {

// Smooth colour fields with fine noise: what a camera gives.
Raster PhotoLike(int width, int height);
// Flat backgrounds, a gradient title bar, coloured boxes and anti-aliased
// strokes: what a screen capture gives (well over 256 colours).
Raster ScreenshotLike(int width, int height);
// Exactly `colours` different colours (at most 4096), in a fixed order.
Raster WithColours(int width, int height, int colours);

// Peak signal-to-noise ratio over the three channels, in dB (infinite for
// equal pictures).
double Psnr(const Raster& a, const Raster& b);

std::uint16_t Le16At(const std::vector<std::uint8_t>& b, std::size_t at);
std::uint32_t Le32At(const std::vector<std::uint8_t>& b, std::size_t at);

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& utf8_name) const;

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);

}  // namespace ksv::test
