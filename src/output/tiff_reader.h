// Reading TIFF files for the tools, through libtiff: the first image, from
// memory. Bilevel, grey and palette images of 1, 4 or 8 bits in strips keep
// their depth and palette; everything else libtiff's RGBA interface reads
// (strips or tiles, 8 or 16 bits, chunky or planar, any of its codecs)
// becomes 24-bit, with alpha composited over black. Throws OutputError for
// files it refuses, before any large allocation when the size is refused.
#pragma once

#include <cstdint>
#include <span>

#include "output/dib.h"

namespace ksv {

Dib DecodeTiff(std::span<const std::uint8_t> file);

}  // namespace ksv
