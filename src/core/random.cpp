#include "core/random.h"

#include <chrono>

namespace ksv {
namespace {
// One user-interface thread draws from it, so no locking.
std::uint32_t g_seed = 0;
}  // namespace

int Random(int n) {
  // 32-bit linear congruential step; the high bits of seed * n give an
  // unbiased enough spread for effects and spraying.
  g_seed = g_seed * 0x08088405u + 1u;
  if (n <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(g_seed) * static_cast<std::uint32_t>(n)) >> 32);
}

void SetRandomSeed(std::uint32_t seed) { g_seed = seed; }
std::uint32_t RandomSeed() { return g_seed; }

void RandomizeFromClock() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  g_seed = static_cast<std::uint32_t>(ticks) ^ static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) >> 32);
}

}  // namespace ksv
