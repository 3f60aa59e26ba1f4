// JPEG through libjpeg: one baseline JFIF image from 24-bit pixels, and
// decoding for the tools.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/raster.h"

namespace ksv {

// libjpeg's default parameters, then `quality` (clamped to 1..100) with
// baseline-compatible quantisation tables. An empty picture throws
// OutputError: libjpeg cannot write a 0 x 0 image.
std::vector<std::uint8_t> EncodeJpeg(const Raster& picture, int quality);

// Colour or grey JPEG files; anything libjpeg cannot turn into RGB throws
// OutputError with libjpeg's message.
Raster DecodeJpeg(std::span<const std::uint8_t> file);

extern const char kEmptyJpegMessage[];

}  // namespace ksv
