// GIF files: "GIF89a", one image, a global colour table, no extension
// blocks and no transparency.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/raster.h"
#include "output/dib.h"
#include "output/quantize.h"

namespace ksv {

// 1-, 4- and 8-bit bitmaps keep their palette and indexes; every other
// depth is reduced by QuantizePicture. An empty bitmap, or one wider or
// taller than 65535 pixels, throws OutputError.
std::vector<std::uint8_t> EncodeGif(const DibView& bitmap);
std::vector<std::uint8_t> EncodeGif(const Raster& picture);
std::vector<std::uint8_t> EncodeGif(const IndexedPicture& picture);

// The first image of a GIF file as an 8-bit top-down bitmap with the
// colour table in force (local or global). Throws OutputError for a file
// that is not a GIF image.
Dib DecodeGif(std::span<const std::uint8_t> file);

extern const char kEmptyGifMessage[];
extern const char kGifTooLargeMessage[];

}  // namespace ksv
