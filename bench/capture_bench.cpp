// The portable share of one capture on a 1920 x 1080 screen: the cut of a
// window or fixed area out of the grabbed screen, the region cut of the
// overlay, and the cursor placement. The Win32 grab itself is measured by
// bench/win (run under Wine).
#include <benchmark/benchmark.h>

#include "capture/capture_cycle.h"
#include "capture/capture_geometry.h"
#include "editor/picture_load.h"

namespace {

using ksv::Raster;
using ksv::Rect;

Raster FullHdScreen() {
  Raster screen(1920, 1080);
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); x += 7) screen.SetPixel(x, y, ksv::MakeColor(x, y, x ^ y));
  }
  return screen;
}

void BM_CropWindowFullHd(benchmark::State& state) {
  const Raster screen = FullHdScreen();
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  for (auto _ : state) {
    Raster picture = ksv::capture::CropPicture(screen, Rect{100, 50, 100 + w, 50 + h});
    benchmark::DoNotOptimize(picture.Bits());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * w * h * 3);
}
BENCHMARK(BM_CropWindowFullHd)->Args({600, 400})->Args({1280, 720})->Args({1820, 1030});

void BM_RegionCutFullHd(benchmark::State& state) {
  const Raster screen = FullHdScreen();
  for (auto _ : state) {
    Raster picture = ksv::editor::CutRegion(screen, {1900, 1060}, {20, 20});
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_RegionCutFullHd);

// Grab stand-in (one screen-sized copy), cursor placement and the cut: the
// work of the tick that takes the picture, minus the GDI calls.
void BM_TickWorkFullHd(benchmark::State& state) {
  const Raster screen = FullHdScreen();
  for (auto _ : state) {
    Raster working = screen;
    working.MutableBits();  // the grab fills a bitmap of its own
    const auto patch = ksv::capture::PlaceCursor({960, 540}, {16, 16}, {32, 32}, {1920, 1080});
    benchmark::DoNotOptimize(patch.screen.left);
    Raster picture = ksv::capture::CropPicture(working, Rect{0, 0, 1920, 1040});
    benchmark::DoNotOptimize(picture.Bits());
  }
}
BENCHMARK(BM_TickWorkFullHd);

}  // namespace
