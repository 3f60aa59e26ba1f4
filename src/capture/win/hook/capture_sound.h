#pragma once

#include <cstdint>
#include <vector>

namespace ksv::hook {

// A short camera-shutter sound as a complete WAV file (mono, 16-bit,
// 22050 Hz), synthesised once.
const std::vector<std::uint8_t>& CaptureSoundWave();
void PlayCaptureSound();

}  // namespace ksv::hook
