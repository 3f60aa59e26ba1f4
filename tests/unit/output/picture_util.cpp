#include "picture_util.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include "core/arith.h"

namespace ksv::test {

Raster PhotoLike(int width, int height) {
  Raster r(width, height);
  std::mt19937 noise(12345);
  std::uniform_int_distribution<int> jitter(-6, 6);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
      const int red = static_cast<int>(128 + 90 * std::sin(6.0 * fx + 2.0 * fy) + 30 * std::cos(11.0 * fy));
      const int green = static_cast<int>(120 + 80 * std::sin(4.0 * fy + 1.5) * std::cos(3.0 * fx));
      const int blue = static_cast<int>(100 + 100 * fx * fy + 40 * std::sin(9.0 * (fx - fy)));
      r.SetPixel(x, y,
                 MakeColor(ClampByte(red + jitter(noise)), ClampByte(green + jitter(noise)),
                           ClampByte(blue + jitter(noise))));
    }
  }
  return r;
}

Raster ScreenshotLike(int width, int height) {
  Raster r(width, height, MakeColor(240, 240, 240));
  // Title bar: a horizontal gradient, as themed windows draw it.
  const int bar = std::max(1, height / 20);
  for (int y = 0; y < bar; ++y)
    for (int x = 0; x < width; ++x)
      r.SetPixel(x, y, MakeColor(0, 84 + 100 * x / width, 227 - 60 * x / width));
  // Flat boxes in a few interface colours.
  const Color boxes[] = {MakeColor(255, 255, 255), MakeColor(0, 120, 215), MakeColor(232, 17, 35),
                         MakeColor(16, 124, 16), MakeColor(255, 185, 0)};
  for (int i = 0; i < 5; ++i) {
    const int x0 = width * (1 + 3 * i) / 16, y0 = height / 4, x1 = x0 + width / 8, y1 = y0 + height / 5;
    for (int y = y0; y < y1 && y < height; ++y)
      for (int x = x0; x < x1 && x < width; ++x) r.SetPixel(x, y, boxes[i]);
  }
  // "Text": rows of short dark strokes with grey anti-aliased edges, in
  // black on white and in white on blue.
  for (int line = 0; line < 12; ++line) {
    const int y0 = height / 2 + line * 14;
    if (y0 + 10 >= height) break;
    for (int x0 = 8; x0 + 6 < width; x0 += 7) {
      if ((x0 / 7 + line) % 9 == 0) continue;  // word gaps
      for (int y = y0; y < y0 + 10; ++y) {
        for (int dx = 0; dx < 5; ++dx) {
          const int edge = (dx == 0 || dx == 4) ? 150 : (dx == 2 ? 0 : 60);
          const int v = ClampByte(edge + ((x0 + y) % 13) * 3);
          r.SetPixel(x0 + dx, y, MakeColor(v, v, v));
        }
      }
    }
  }
  // White anti-aliased strokes on the blue box: blends of the two.
  const int bx0 = width * 4 / 16, by0 = height / 4;
  for (int y = by0 + 2; y < by0 + height / 5 - 2 && y < height; ++y)
    for (int x = bx0 + 2; x < bx0 + width / 8 - 2 && x < width; ++x) {
      const int a = ((x * 7 + y * 3) % 11) * 25;  // 0..250 coverage
      r.SetPixel(x, y,
                 MakeColor((a * 255 + (250 - a) * 0) / 250, (a * 255 + (250 - a) * 120) / 250,
                           (a * 255 + (250 - a) * 215) / 250));
    }
  // A photo shown in the corner of the screen.
  const Raster photo = PhotoLike(width / 4, height / 4);
  for (int y = 0; y < photo.Height(); ++y)
    for (int x = 0; x < photo.Width(); ++x)
      r.SetPixel(width - photo.Width() + x, height - photo.Height() + y, photo.Pixel(x, y));
  return r;
}

Raster WithColours(int width, int height, int colours) {
  Raster r(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int i = (y * width + x) % colours;
      r.SetPixel(x, y, MakeColor((i * 37) & 0xFF, (i * 91 + i / 256 * 7) & 0xFF, (i * 13 + i / 16) & 0xFF));
    }
  return r;
}

double Psnr(const Raster& a, const Raster& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y) {
    const std::uint8_t* p = a.Row(y);
    const std::uint8_t* q = b.Row(y);
    for (int i = 0; i < a.Width() * 3; ++i) {
      const double d = static_cast<double>(p[i]) - q[i];
      sum += d * d;
    }
  }
  if (sum == 0) return std::numeric_limits<double>::infinity();
  const double mse = sum / (3.0 * a.Width() * a.Height());
  return 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::uint16_t Le16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t Le32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(Le16At(b, at)) | (static_cast<std::uint32_t>(Le16At(b, at + 2)) << 16);
}

TempFolder::TempFolder() {
  std::random_device rd;
  for (;;) {
    path_ = std::filesystem::temp_directory_path() / ("ksv-output-" + std::to_string(rd()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::operator/(const std::string& utf8_name) const {
  return path_ / std::filesystem::path(std::u8string(utf8_name.begin(), utf8_name.end()));
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace ksv::test
