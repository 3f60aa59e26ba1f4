// Reading baseline TIFF files for the tools: the first image, in strips,
// uncompressed, PackBits or LZW; bilevel, grey, palette (1, 4 or 8 bits)
// and 8-bit RGB. Throws OutputError for anything else.
#pragma once

#include <cstdint>
#include <span>

#include "output/dib.h"

namespace ksv {

Dib DecodeTiff(std::span<const std::uint8_t> file);

}  // namespace ksv
