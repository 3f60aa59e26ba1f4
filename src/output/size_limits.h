// The one size rule of every picture reader: a picture is refused, before
// anything large is allocated, when a side exceeds 65,535 pixels or the
// pixel count exceeds 2^28 (about 16,384 x 16,384, 768 MiB at 24 bits).
// Headers are read into 64-bit values and checked here before any product
// of them is formed in a narrower type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "output/output_error.h"

namespace ksv {

inline constexpr std::int64_t kMaxPictureSide = 65535;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;

inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// "picture too large: W x H pixels (at most 65535 on a side and 268435456 in all)"
inline std::string PictureTooLargeMessage(std::int64_t width, std::int64_t height) {
  return "picture too large: " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels (at most " + std::to_string(kMaxPictureSide) + " on a side and " +
         std::to_string(kMaxPicturePixels) + " in all)";
}

// Throws OutputError with PictureTooLargeMessage when the size is refused.
inline void CheckPictureSize(std::int64_t width, std::int64_t height) {
  if (!PictureSizeAllowed(width, height)) throw OutputError(PictureTooLargeMessage(width, height));
}

// a * b, or false when the product would not fit a size_t (the 32-bit
// build's 4 GiB).
inline bool CheckedMul(std::uint64_t a, std::uint64_t b, std::size_t* out) {
  if (a != 0 && b > SIZE_MAX / a) return false;
  *out = static_cast<std::size_t>(a * b);
  return true;
}

}  // namespace ksv
