// Picture output speed on a 3840 x 2160 screenshot-like picture: MB/s of
// picture data (3 bytes a pixel) for each writer, next to the two
// references that matter: one write() of the same bytes for BMP and TIFF,
// and ImageMagick's convert doing the same encoding for JPEG and GIF.
// The convert runs report "convert_s" (its whole run), "read_s" (the same
// convert only reading the BMP, so "net_ratio" compares encoding alone)
// and "ratio" = convert time / our time (above 1: we are faster).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/raster.h"
#include "output/bmp.h"
#include "output/gif.h"
#include "output/jpeg.h"
#include "output/picture_files.h"
#include "output/quantize.h"
#include "output/stream.h"
#include "output/tiff_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

// Desktop-like: flat background and windows, gradient title bars,
// anti-aliased text strokes, and a photo in one window.
ksv::Raster ScreenshotLike() {
  ksv::Raster r(kWidth, kHeight, ksv::MakeColor(0, 99, 177));
  auto fill = [&](int x0, int y0, int x1, int y1, ksv::Color c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) r.SetPixel(x, y, c);
  };
  for (int w = 0; w < 4; ++w) {
    const int x0 = 100 + w * 900, y0 = 150 + w * 120, x1 = x0 + 1500 < kWidth ? x0 + 1500 : kWidth - 20,
              y1 = y0 + 1400;
    fill(x0, y0, x1, y1, ksv::MakeColor(250, 250, 250));
    for (int y = y0; y < y0 + 40; ++y)
      for (int x = x0; x < x1; ++x)
        r.SetPixel(x, y, ksv::MakeColor(30, 60 + 120 * (x - x0) / (x1 - x0), 200));
    for (int line = 0; line < 60; ++line) {
      const int ty = y0 + 70 + line * 20;
      for (int tx = x0 + 20; tx + 8 < x1 - 20; tx += 9) {
        if ((tx / 9 + line * 7) % 11 == 0) continue;
        for (int y = ty; y < ty + 12; ++y)
          for (int dx = 0; dx < 6; ++dx) {
            const int v = (dx == 0 || dx == 5) ? 170 : (dx == 2 || dx == 3 ? 20 : 90);
            r.SetPixel(tx + dx, y, ksv::MakeColor(v, v, v + (y % 3) * 10));
          }
      }
    }
  }
  for (int y = 1500; y < 2100; ++y)
    for (int x = 2600; x < 3700; ++x) {
      const double fx = x / 300.0, fy = y / 200.0;
      r.SetPixel(x, y,
                 ksv::MakeColor(static_cast<int>(128 + 100 * std::sin(fx + fy)),
                                static_cast<int>(128 + 90 * std::cos(fx * 1.3 - fy)),
                                static_cast<int>(128 + 80 * std::sin(fx * 0.7 + 2 * fy))));
    }
  return r;
}

const ksv::Raster& Picture() {
  static const ksv::Raster picture = ScreenshotLike();
  return picture;
}

fs::path Scratch(const std::string& name) {
  static const fs::path folder = [] {
    fs::path p = fs::temp_directory_path() / ("ksv-output-bench-" + std::to_string(getpid()));
    fs::create_directories(p);
    return p;
  }();
  return folder / name;
}

void SetPictureBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 * kWidth * kHeight);
}

// One open, one write() of the whole file, one close.
void WriteInOneCall(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  ::close(fd);
}

void BM_Bmp(benchmark::State& state) {
  for (auto _ : state) ksv::SaveBitmapAsBmp(Scratch("a.bmp"), Picture());
  SetPictureBytes(state);
}
BENCHMARK(BM_Bmp)->Unit(benchmark::kMillisecond);

void BM_BmpOneWrite(benchmark::State& state) {
  ksv::MemoryStream bytes;
  ksv::WriteBmp(bytes, ksv::ViewOf(Picture()));
  for (auto _ : state) WriteInOneCall(Scratch("b.bmp"), bytes.Bytes());
  SetPictureBytes(state);
}
BENCHMARK(BM_BmpOneWrite)->Unit(benchmark::kMillisecond);

void BM_Tiff(benchmark::State& state) {
  for (auto _ : state) ksv::SaveBitmapAsTiff(Scratch("a.tif"), Picture());
  SetPictureBytes(state);
}
BENCHMARK(BM_Tiff)->Unit(benchmark::kMillisecond);

void BM_TiffOneWrite(benchmark::State& state) {
  ksv::MemoryStream bytes;
  ksv::WriteTiff(bytes, ksv::ViewOf(Picture()));
  for (auto _ : state) WriteInOneCall(Scratch("b.tif"), bytes.Bytes());
  SetPictureBytes(state);
}
BENCHMARK(BM_TiffOneWrite)->Unit(benchmark::kMillisecond);

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Runs `ours` and the convert command alternately, so both see the same
// machine load; the benchmark's own time is ours.
template <typename Ours>
void AgainstConvert(benchmark::State& state, Ours ours, const std::string& convert_args, const char* output) {
  const fs::path input = Scratch("source.bmp");
  if (!fs::exists(input)) ksv::SaveBitmapAsBmp(input, Picture());
  const char* convert = std::getenv("KSV_CONVERT");
  const std::string tool = convert != nullptr ? convert : "convert";
  const std::string run =
      tool + " '" + input.string() + "' " + convert_args + " '" + Scratch(output).string() + "'";
  const std::string read_only = tool + " '" + input.string() + "' null:";
  if (std::system((read_only + " 2>/dev/null").c_str()) != 0) {
    state.SkipWithError("ImageMagick's convert is not available");
    return;
  }
  double ours_total = 0, convert_total = 0, read_total = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    ours();
    const auto t1 = Clock::now();
    state.SetIterationTime(Seconds(t1 - t0));
    ours_total += Seconds(t1 - t0);
    state.PauseTiming();
    const auto c0 = Clock::now();
    if (std::system(run.c_str()) != 0) state.SkipWithError("convert failed");
    const auto c1 = Clock::now();
    if (std::system(read_only.c_str()) != 0) state.SkipWithError("convert failed");
    const auto c2 = Clock::now();
    convert_total += Seconds(c1 - c0);
    read_total += Seconds(c2 - c1);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["convert_s"] = convert_total / n;
  state.counters["read_s"] = read_total / n;
  state.counters["ratio"] = convert_total / ours_total;
  state.counters["net_ratio"] = (convert_total - read_total) / ours_total;
  SetPictureBytes(state);
}

void BM_JpegQuality80VsConvert(benchmark::State& state) {
  AgainstConvert(
      state, [] { ksv::SavePictureAsJpeg(Picture(), Scratch("a.jpg"), 80); }, "-quality 80", "im.jpg");
}
BENCHMARK(BM_JpegQuality80VsConvert)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_GifVsConvert(benchmark::State& state) {
  AgainstConvert(
      state, [] { ksv::SavePictureAsGif(Picture(), Scratch("a.gif")); }, "-colors 256 -dither FloydSteinberg",
      "im.gif");
}
BENCHMARK(BM_GifVsConvert)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// The parts of the GIF encoding.
void BM_GifQuantise(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ksv::QuantizePicture(Picture()).indexes.data());
  SetPictureBytes(state);
}
BENCHMARK(BM_GifQuantise)->Unit(benchmark::kMillisecond);

void BM_GifLzw(benchmark::State& state) {
  const ksv::IndexedPicture indexed = ksv::QuantizePicture(Picture());
  for (auto _ : state) benchmark::DoNotOptimize(ksv::EncodeGif(indexed).data());
  SetPictureBytes(state);
}
BENCHMARK(BM_GifLzw)->Unit(benchmark::kMillisecond);

}  // namespace
