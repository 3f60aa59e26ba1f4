#include "output/picture_files.h"

#include <cstring>
#include <system_error>

#include "output/bmp.h"
#include "output/gif.h"
#include "output/jpeg.h"
#include "output/output_error.h"
#include "output/stream.h"
#include "output/tiff_reader.h"
#include "output/tiff_writer.h"

namespace ksv {

namespace {

constexpr std::string_view kExtensions[] = {".bmp", ".jpg", ".gif", ".tif"};

template <typename Write>
bool ConvertBmp(const std::filesystem::path& bmp, Write write) {
  std::error_code ec;
  if (!std::filesystem::exists(bmp, ec)) return false;
  const Dib bitmap = LoadBmpFile(bmp);
  // The writer throws unless the converted file is complete and in place,
  // so the BMP, the only copy of the still, goes only after that.
  write(bitmap.View());
  // The intermediate file goes; a failure to delete it is not reported.
  std::filesystem::remove(bmp, ec);
  return true;
}

}  // namespace

std::optional<PictureFormat> FormatFromIndex(int index) {
  if (index < 0 || index > 3) return std::nullopt;
  return static_cast<PictureFormat>(index);
}

std::string_view FormatExtension(PictureFormat format) { return kExtensions[static_cast<int>(format)]; }

PictureFormat SaveFormatFromIndex(int index) { return FormatFromIndex(index).value_or(PictureFormat::kJpeg); }

std::string_view FormatExtension(int index) { return FormatExtension(SaveFormatFromIndex(index)); }

std::optional<PictureFormat> FormatFromExtension(const std::filesystem::path& path) {
  std::string ext = PathToText(path.extension());
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == ".bmp") return PictureFormat::kBmp;
  if (ext == ".jpg" || ext == ".jpeg") return PictureFormat::kJpeg;
  if (ext == ".gif") return PictureFormat::kGif;
  if (ext == ".tif" || ext == ".tiff") return PictureFormat::kTiff;
  return std::nullopt;
}

std::optional<PictureFormat> FormatFromSignature(std::span<const std::uint8_t> head) {
  if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') return PictureFormat::kBmp;
  if (head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return PictureFormat::kJpeg;
  if (head.size() >= 4 && std::memcmp(head.data(), "GIF8", 4) == 0) return PictureFormat::kGif;
  if (head.size() >= 4 && ((head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0) ||
                           (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42)))
    return PictureFormat::kTiff;
  return std::nullopt;
}

void SavePictureAsJpeg(const Raster& picture, const std::filesystem::path& path, int quality) {
  // Encoded first: an empty picture then leaves no file behind.
  const std::vector<std::uint8_t> bytes = EncodeJpeg(picture, quality);
  WriteWholeFile(path, bytes);
}

void SavePictureAsGif(const Raster& picture, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = EncodeGif(picture);
  WriteWholeFile(path, bytes);
}

void SaveBitmap(const DibView& bitmap, PictureFormat format, const std::filesystem::path& path, int quality) {
  switch (format) {
    case PictureFormat::kBmp:
      SaveBitmapAsBmp(path, bitmap);
      break;
    case PictureFormat::kJpeg: {
      const std::vector<std::uint8_t> bytes = EncodeJpeg(ToRaster(bitmap), quality);
      WriteWholeFile(path, bytes);
      break;
    }
    case PictureFormat::kGif: {
      const std::vector<std::uint8_t> bytes = EncodeGif(bitmap);
      WriteWholeFile(path, bytes);
      break;
    }
    case PictureFormat::kTiff:
      SaveBitmapAsTiff(path, bitmap);
      break;
  }
}

void SavePicture(const Raster& picture, int format_index, const std::filesystem::path& path, int quality) {
  const PictureFormat format = SaveFormatFromIndex(format_index);
  switch (format) {
    case PictureFormat::kJpeg:
      SavePictureAsJpeg(picture, path, quality);
      break;
    case PictureFormat::kGif:
      SavePictureAsGif(picture, path);
      break;
    default:
      SaveBitmap(ViewOf(picture), format, path, quality);
      break;
  }
}

bool ConvertBmpToJpeg(const std::filesystem::path& bmp, const std::filesystem::path& target, int quality) {
  return ConvertBmp(
      bmp, [&](const DibView& bitmap) { SaveBitmap(bitmap, PictureFormat::kJpeg, target, quality); });
}

bool ConvertBmpToGif(const std::filesystem::path& bmp, const std::filesystem::path& target) {
  return ConvertBmp(bmp, [&](const DibView& bitmap) { SaveBitmap(bitmap, PictureFormat::kGif, target, 0); });
}

bool ConvertBmpToTiff(const std::filesystem::path& bmp, const std::filesystem::path& target) {
  return ConvertBmp(bmp, [&](const DibView& bitmap) { SaveBitmapAsTiff(target, bitmap); });
}

Dib DecodePicture(std::span<const std::uint8_t> file) {
  const auto format = FormatFromSignature(file);
  if (!format) throw OutputError("not a BMP, JPEG, GIF or TIFF file");
  switch (*format) {
    case PictureFormat::kBmp:
      return ReadBmp(file);
    case PictureFormat::kJpeg:
      return ToDib(DecodeJpeg(file));
    case PictureFormat::kGif:
      return DecodeGif(file);
    case PictureFormat::kTiff:
      return DecodeTiff(file);
  }
  return Dib();
}

Dib LoadPictureFile(const std::filesystem::path& path) { return DecodePicture(ReadWholeFile(path)); }

}  // namespace ksv
