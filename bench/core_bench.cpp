#include <benchmark/benchmark.h>

#include "core/raster.h"

namespace {

// A history push copies the raster; with copy-on-write that must cost no
// pixel copy until the next write.
void BM_RasterCopyFullHd(benchmark::State& state) {
  ksv::Raster r(1920, 1080, ksv::MakeColor(1, 2, 3));
  for (auto _ : state) {
    ksv::Raster copy = r;
    benchmark::DoNotOptimize(copy.Bits());
  }
}
BENCHMARK(BM_RasterCopyFullHd);

// The first write after a copy pays for one whole-picture copy.
void BM_RasterDetachFullHd(benchmark::State& state) {
  ksv::Raster r(1920, 1080, ksv::MakeColor(1, 2, 3));
  for (auto _ : state) {
    ksv::Raster copy = r;
    copy.SetPixel(0, 0, 0);
    benchmark::DoNotOptimize(copy.Bits());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(r.ByteSize()));
}
BENCHMARK(BM_RasterDetachFullHd);

}  // namespace
