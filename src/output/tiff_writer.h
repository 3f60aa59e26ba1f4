// The program's own TIFF layout: uncompressed, one strip, little-endian,
// palette colour for 4- and 8-bit bitmaps and RGB for 16-, 24- and 32-bit
// ones, 87.7 pixels per inch and the Software text "Tavix soft". The
// directory follows the pixel data; its offset is patched into byte 4 last.
#pragma once

#include <filesystem>

#include "core/raster.h"
#include "output/dib.h"
#include "output/stream.h"

namespace ksv {

// Writes the whole file into `out`, which must be empty and at position 0,
// and leaves it positioned just after byte 7. An empty bitmap and a 1-bit
// bitmap write nothing. 16-bit pixels are written in the RGB layout.
void WriteTiff(OutputStream& out, const DibView& bitmap);

// Creates (or replaces) the file and writes it with WriteTiff; the file is
// closed also when writing fails, and the failure propagates.
void SaveBitmapAsTiff(const std::filesystem::path& path, const DibView& bitmap);
void SaveBitmapAsTiff(const std::filesystem::path& path, const Raster& picture);

}  // namespace ksv
