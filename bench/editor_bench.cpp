#include <benchmark/benchmark.h>

#include "core/random.h"
#include "editor/display_scaler.h"
#include "editor/editor_document.h"

namespace {

using ksv::Raster;
using ksv::editor::EditorDocument;
using ksv::Rect;
using ksv::Size;

Raster Noise(int width, int height) {
  ksv::SetRandomSeed(1);
  Raster r(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = r.MutableRow(y);
    for (int i = 0; i < width * 3; ++i) row[i] = static_cast<std::uint8_t>(ksv::Random(256));
  }
  return r;
}

// Opening a 4K capture: the load entry point and showing the window, which
// primes the history. No pixel copy is expected.
void BM_OpenPicture4K(benchmark::State& state) {
  const Raster capture(3840, 2160, ksv::MakeColor(10, 20, 30));
  EditorDocument doc;
  for (auto _ : state) {
    doc.LoadPicture(capture);
    doc.FormShow();
    benchmark::DoNotOptimize(doc.Picture().Bits());
  }
}
BENCHMARK(BM_OpenPicture4K);

void BM_PushHistory4K(benchmark::State& state) {
  EditorDocument doc;
  doc.LoadPicture(Raster(3840, 2160, ksv::MakeColor(10, 20, 30)));
  doc.FormShow();
  for (auto _ : state) {
    doc.PushHistory();
    benchmark::DoNotOptimize(doc.GetHistory().Current().Bits());
  }
}
BENCHMARK(BM_PushHistory4K);

void BM_Undo4K(benchmark::State& state) {
  EditorDocument doc;
  doc.LoadPicture(Raster(3840, 2160, ksv::MakeColor(10, 20, 30)));
  doc.FormShow();
  doc.MutablePicture().SetPixel(0, 0, 0);
  doc.PushHistory();
  for (auto _ : state) {
    doc.UnDoMenuClick();
    benchmark::DoNotOptimize(doc.Picture().Bits());
  }
}
BENCHMARK(BM_Undo4K);

// One paint of the view: the visible part of a 4K capture in a window of
// about 1600 x 900 view pixels, at actual size and enlarged once.
void BM_RenderVisible4K(benchmark::State& state) {
  EditorDocument doc;
  ksv::editor::ViewMetrics metrics;
  metrics.client = {1600 + 129, 900 + 62 + 19};
  doc.SetViewMetrics(metrics);
  doc.LoadPicture(Noise(3840, 2160));
  doc.FormShow();
  if (state.range(0) != 0) doc.EnlargeToolButtonClick();
  Raster out;
  for (auto _ : state) {
    const Rect at = doc.RenderVisible(out);
    benchmark::DoNotOptimize(at);
    benchmark::DoNotOptimize(out.Bits());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * out.Width() * out.Height());
}
BENCHMARK(BM_RenderVisible4K)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The one copy the rules require: the first write after a push.
void BM_FirstWriteAfterPush4K(benchmark::State& state) {
  EditorDocument doc;
  doc.LoadPicture(Raster(3840, 2160, ksv::MakeColor(10, 20, 30)));
  doc.FormShow();
  for (auto _ : state) {
    doc.PushHistory();
    doc.MutablePicture().SetPixel(0, 0, 0);
    benchmark::DoNotOptimize(doc.Picture().Bits());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(doc.Picture().ByteSize()));
}
BENCHMARK(BM_FirstWriteAfterPush4K);

// Display of a 1920 x 1080 picture at the zoom steps, as much as a
// 1600 x 900 view shows of it. Arguments: displayed width and height.
void BM_ScaleForDisplayFullHd(benchmark::State& state) {
  const Raster picture = Noise(1920, 1080);
  const Size displayed{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  const Rect visible{0, 0, std::min(displayed.width, 1600), std::min(displayed.height, 900)};
  Raster out;
  for (auto _ : state) {
    ksv::editor::ScaleForDisplay(picture, displayed, visible, out);
    benchmark::DoNotOptimize(out.Bits());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * visible.Width() * visible.Height());
}
BENCHMARK(BM_ScaleForDisplayFullHd)
    ->Args({1920, 1080})  // actual size
    ->Args({2400, 1350})  // enlarged once
    ->Args({4687, 2636})  // enlarged four times
    ->Args({1536, 864})   // narrowed once
    ->Args({983, 552})    // narrowed three times
    ->Args({402, 226})    // narrowed seven times
    ->Args({1536, 1350})  // stretched one way, squeezed the other
    ->Unit(benchmark::kMillisecond);

}  // namespace
