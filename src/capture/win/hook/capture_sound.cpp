#include "capture/win/hook/capture_sound.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <mmsystem.h>

#include <cmath>
#include <cstring>

namespace ksv::hook {
namespace {

// Writes little-endian fields into a buffer sized up front.
void Put(std::uint8_t* at, std::uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(x >> (8 * i));
}

std::vector<std::uint8_t> MakeShutter() {
  constexpr std::uint32_t kRate = 22050;
  constexpr std::uint32_t kSamples = kRate * 18 / 100;  // 180 ms
  std::vector<std::int16_t> pcm(kSamples);
  // Two clicks of decaying noise mixed with a low thump, like a mechanical
  // shutter opening and closing. A fixed-seed generator keeps it the same
  // sound every time.
  std::uint32_t seed = 0x2545F491u;
  for (std::uint32_t i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 8388608.0) - 1.0;
    const double first = std::exp(-t * 90.0);
    const double t2 = t - 0.075;
    const double second = t2 > 0 ? 0.8 * std::exp(-t2 * 110.0) : 0.0;
    const double thump = 0.5 * std::sin(2 * 3.14159265358979 * 140.0 * t) * std::exp(-t * 40.0);
    double s = noise * (first + second) * 0.7 + thump;
    if (s > 1.0) s = 1.0;
    if (s < -1.0) s = -1.0;
    pcm[i] = static_cast<std::int16_t>(s * 30000.0);
  }
  const std::uint32_t data_bytes = kSamples * 2;
  std::vector<std::uint8_t> wav(44 + data_bytes);
  std::uint8_t* h = wav.data();
  std::memcpy(h, "RIFF", 4);
  Put(h + 4, 36 + data_bytes, 4);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put(h + 16, 16, 4);
  Put(h + 20, 1, 2);  // PCM
  Put(h + 22, 1, 2);  // mono
  Put(h + 24, kRate, 4);
  Put(h + 28, kRate * 2, 4);
  Put(h + 32, 2, 2);
  Put(h + 34, 16, 2);
  std::memcpy(h + 36, "data", 4);
  Put(h + 40, data_bytes, 4);
  std::memcpy(h + 44, pcm.data(), data_bytes);
  return wav;
}

}  // namespace

const std::vector<std::uint8_t>& CaptureSoundWave() {
  static const std::vector<std::uint8_t> wave = MakeShutter();
  return wave;
}

void PlayCaptureSound() {
  PlaySoundW(reinterpret_cast<LPCWSTR>(CaptureSoundWave().data()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace ksv::hook
