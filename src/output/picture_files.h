// The picture formats of the program and of its tools: the format table
// (index of the "保存图片格式" choice), the five writers, and loading any
// of the four formats.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "core/raster.h"
#include "output/dib.h"

namespace ksv {

enum class PictureFormat { kBmp = 0, kJpeg = 1, kGif = 2, kTiff = 3 };

// The format of a table index 0..3; none for any other index.
std::optional<PictureFormat> FormatFromIndex(int index);
// The format the editor saves a stored choice as: the table's, and JPEG
// (the default choice) for an index outside the table, so that a save
// never ends without a picture.
PictureFormat SaveFormatFromIndex(int index);
// ".bmp", ".jpg", ".gif", ".tif"; ".jpg" for an index outside the table.
std::string_view FormatExtension(int index);
std::string_view FormatExtension(PictureFormat format);
// The format named by a file name's extension (any case; .jpeg and .tiff
// too).
std::optional<PictureFormat> FormatFromExtension(const std::filesystem::path& path);
// The format a file's first bytes announce.
std::optional<PictureFormat> FormatFromSignature(std::span<const std::uint8_t> head);

// The editor's picture, written to a file that is created or replaced
// once complete.
void SavePictureAsJpeg(const Raster& picture, const std::filesystem::path& path, int quality);
void SavePictureAsGif(const Raster& picture, const std::filesystem::path& path);

// A bitmap in its own depth, by format (the "bmp" row writes a BMP file;
// "jpg" converts to 24 bits; "gif" keeps 1-, 4- and 8-bit palettes).
void SaveBitmap(const DibView& bitmap, PictureFormat format, const std::filesystem::path& path, int quality);
// The editor's picture by format table index (SaveFormatFromIndex). Every
// writer replaces the target only with a complete file, and an empty
// picture throws OutputError in every format.
void SavePicture(const Raster& picture, int format_index, const std::filesystem::path& path, int quality);

// The converters for the capture driver's BMP files: when the BMP file
// exists it is read, written in the target format and then deleted; when
// it does not exist nothing happens and false is returned. A BMP that is
// not a readable bitmap throws "Bitmap image is not valid" and stays; so
// does the BMP when the target cannot be written.
bool ConvertBmpToJpeg(const std::filesystem::path& bmp, const std::filesystem::path& target, int quality);
bool ConvertBmpToGif(const std::filesystem::path& bmp, const std::filesystem::path& target);
bool ConvertBmpToTiff(const std::filesystem::path& bmp, const std::filesystem::path& target);

// Reads a BMP, JPEG, GIF or TIFF file, recognised by its first bytes.
// Palette pictures keep their depth (JPEG always gives 24 bits).
Dib LoadPictureFile(const std::filesystem::path& path);
Dib DecodePicture(std::span<const std::uint8_t> file);

}  // namespace ksv
