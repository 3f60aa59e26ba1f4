// The process-wide random generator shared by the noise and splash effects,
// the spray gun and the two-colour operation.
#pragma once

#include <cstdint>

namespace ksv {

// A uniform integer in 0..n-1; 0 when n <= 0.
int Random(int n);
// Puts the generator back to a given state (it starts at 0).
void SetRandomSeed(std::uint32_t seed);
std::uint32_t RandomSeed();
// Reseeds from a high-resolution clock.
void RandomizeFromClock();

}  // namespace ksv
