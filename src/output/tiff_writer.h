// The program's own TIFF layout: uncompressed, one strip, little-endian,
// palette colour for 4- and 8-bit bitmaps and RGB for the others, 87.7 pixels per inch and the Software text
// "Tavix soft". The directory follows the pixel data; its offset is patched into byte 4 last.
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/raster.h"
#include "output/dib.h"
#include "output/stream.h"

namespace ksv {

// Writes the whole file into `out`, which must be empty and at position 0,
// and leaves it positioned just after byte 7. An empty bitmap writes
// nothing. 16-bit pixels, 1-bit ones and 4-bit ones narrower than 4 pixels
// are written in the RGB layout. A bitmap whose file would pass 4 GiB
// throws OutputError(kTiffTooLargeMessage) before anything is written.
void WriteTiff(OutputStream& out, const DibView& bitmap);
// The size of the file WriteTiff writes for the bitmap.
std::uint64_t TiffFileSize(const DibView& bitmap);

// Writes the file with WriteTiff, replacing the target only when complete.
// An empty bitmap throws OutputError(kEmptyTiffMessage) and writes nothing.
void SaveBitmapAsTiff(const std::filesystem::path& path, const DibView& bitmap);
void SaveBitmapAsTiff(const std::filesystem::path& path, const Raster& picture);

extern const char kEmptyTiffMessage[];
extern const char kTiffTooLargeMessage[];

}  // namespace ksv
