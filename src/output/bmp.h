// Windows BMP files: the writer used for the "bmp" format and the
// wallpaper, and the reader for the BMP files of the capture driver.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "output/dib.h"
#include "output/stream.h"

namespace ksv {

// Writes the bitmap in its own depth, rows bottom-up, with a
// BITMAPINFOHEADER (BI_BITFIELDS for 16-bit 5-6-5 pixels). An empty bitmap
// gives the two headers and no pixels. A file whose sizes pass the 32 bits
// of the headers throws OutputError(kBmpTooLargeMessage) before anything is
// written.
void WriteBmp(OutputStream& out, const DibView& dib);
// WriteBmp into a FileStream; an empty bitmap throws
// OutputError(kEmptyBmpMessage) and the target stays as it was.
void SaveBitmapAsBmp(const std::filesystem::path& path, const DibView& dib);
void SaveBitmapAsBmp(const std::filesystem::path& path, const Raster& picture);

// Reads a BMP: uncompressed 1, 4, 8, 16, 24 or 32 bits, bottom-up or
// top-down, core, info or later headers, BI_BITFIELDS; and run-length
// encoded 4 and 8 bits as other programs write them. Throws
// OutputError("Bitmap image is not valid") for anything else.
Dib ReadBmp(std::span<const std::uint8_t> file);
Dib LoadBmpFile(const std::filesystem::path& path);

extern const char kEmptyBmpMessage[];
extern const char kBmpTooLargeMessage[];

}  // namespace ksv
