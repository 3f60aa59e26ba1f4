#include "output/tiff_writer.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "output/byte_io.h"
#include "output/output_error.h"

namespace ksv {

const char kEmptyTiffMessage[] = "图像为空，不能保存为 TIFF 文件";
const char kTiffTooLargeMessage[] = "图像太大，不能保存为 TIFF 文件：文件会超过 4 GB";

namespace {

constexpr std::uint8_t kHeader[8] = {0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00};
constexpr std::uint8_t kResolution[8] = {0x6D, 0x03, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00};
constexpr std::uint8_t kSoftware[10] = {'T', 'a', 'v', 'i', 'x', ' ', 's', 'o', 'f', 't'};
constexpr std::uint8_t kBitsPerSample[6] = {0x08, 0x00, 0x08, 0x00, 0x08, 0x00};
constexpr std::uint8_t kNoNextDirectory[4] = {0, 0, 0, 0};
constexpr int kEntries = 15;

enum FieldType : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

class Directory {
 public:
  void Add(std::uint16_t tag, FieldType type, std::uint32_t count, std::uint32_t value) {
    std::uint8_t* e = bytes_.data() + 2 + used_ * 12;
    bytes::PutLe16(e, tag);
    bytes::PutLe16(e + 2, type);
    bytes::PutLe32(e + 4, count);
    if (type == kShort && count == 1) {
      bytes::PutLe16(e + 8, value);  // the other two bytes stay zero
    } else {
      bytes::PutLe32(e + 8, value);
    }
    ++used_;
  }
  // Image sizes above what a SHORT holds are written as LONG.
  void AddSize(std::uint16_t tag, std::uint32_t value) {
    Add(tag, value > 0xFFFF ? kLong : kShort, 1, value);
  }

  void WriteTo(OutputStream& out) {
    bytes::PutLe16(bytes_.data(), kEntries);
    out.Write(bytes_.data(), bytes_.size());
    out.Write(kNoNextDirectory, sizeof kNoNextDirectory);
  }

 private:
  std::array<std::uint8_t, 2 + kEntries * 12> bytes_{};
  int used_ = 0;
};

// The palette layout holds 8-bit bitmaps and 4-bit ones of at least four
// pixels a row (it cuts four-bit rows to a multiple of 4, as it always
// did). A 1-bit bitmap, or a 4-bit one narrower than 4 pixels, would come
// out empty there: it goes through the 24-bit layout, so nothing is lost.
bool HeldByPaletteLayout(const DibView& bitmap) {
  return bitmap.bit_count == 8 || (bitmap.bit_count == 4 && bitmap.width >= 4);
}

void PatchDirectoryOffset(OutputStream& out, std::uint64_t directory_offset) {
  std::uint8_t v[4];
  bytes::PutLe32(v, static_cast<std::uint32_t>(directory_offset));
  out.Seek(4);
  out.Write(v, sizeof v);
}

void WritePaletteLayout(OutputStream& out, const DibView& bitmap) {
  const int bits = bitmap.bit_count;
  const std::uint32_t colours = 1u << bits;
  const std::uint32_t rows = static_cast<std::uint32_t>(bitmap.height);
  // Four-bit rows are cut to a multiple of 4 pixels, as the layout always did.
  const std::uint32_t width =
      bits == 8 ? static_cast<std::uint32_t>(bitmap.width) : static_cast<std::uint32_t>(bitmap.width) & ~3u;
  const std::uint32_t row_bytes = bits == 8 ? width : width / 2;

  // Red, green and blue arrays; the byte goes to the high half of each
  // 16-bit value. Entries the bitmap's table lacks are 0.
  std::vector<std::uint8_t> map(6 * colours, 0);
  for (std::uint32_t i = 0; i < colours && i < bitmap.palette.size(); ++i) {
    const Color c = bitmap.palette[i];
    bytes::PutLe16(map.data() + 2 * i, static_cast<std::uint32_t>(RedOf(c)) << 8);
    bytes::PutLe16(map.data() + 2 * (colours + i), static_cast<std::uint32_t>(GreenOf(c)) << 8);
    bytes::PutLe16(map.data() + 2 * (2 * colours + i), static_cast<std::uint32_t>(BlueOf(c)) << 8);
  }

  out.Write(kHeader, sizeof kHeader);
  out.Write(map.data(), map.size());
  const std::uint32_t x_resolution = static_cast<std::uint32_t>(out.Position());
  out.Write(kResolution, sizeof kResolution);
  const std::uint32_t y_resolution = static_cast<std::uint32_t>(out.Position());
  out.Write(kResolution, sizeof kResolution);
  const std::uint32_t software = static_cast<std::uint32_t>(out.Position());
  out.Write(kSoftware, sizeof kSoftware);
  const std::uint32_t strip = static_cast<std::uint32_t>(out.Position());
  for (std::uint32_t y = 0; y < rows; ++y) out.Write(bitmap.Row(static_cast<int>(y)), row_bytes);

  Directory dir;
  dir.Add(254, kLong, 1, 0);
  dir.AddSize(256, width);
  dir.AddSize(257, rows);
  dir.Add(258, kShort, 1, static_cast<std::uint32_t>(bits));
  dir.Add(259, kShort, 1, 1);
  dir.Add(262, kShort, 1, 3);
  dir.Add(273, kLong, 1, strip);
  dir.Add(277, kShort, 1, 1);
  dir.Add(278, kLong, 1, rows);
  dir.Add(279, kLong, 1, row_bytes * rows);
  dir.Add(282, kRational, 1, x_resolution);
  dir.Add(283, kRational, 1, y_resolution);
  dir.Add(296, kShort, 1, 2);
  dir.Add(305, kAscii, sizeof kSoftware, software);
  dir.Add(320, kShort, 3 * colours, 8);
  const std::uint64_t directory_offset = out.Position();
  dir.WriteTo(out);
  PatchDirectoryOffset(out, directory_offset);
}

// Red, green, blue for one row of blue-green-red (24 bits), blue-green-
// red-unused (32 bits) or masked 16-bit pixels.
void RgbRow(const DibView& bitmap, int y, std::uint8_t* out) {
  const int w = bitmap.width;
  const std::uint8_t* s = bitmap.Row(y);
  switch (bitmap.bit_count) {
    case 32:
      for (int x = 0; x < w; ++x, s += 4, out += 3) {
        out[0] = s[2];
        out[1] = s[1];
        out[2] = s[0];
      }
      break;
    case 24:
      for (int x = 0; x < w; ++x, s += 3, out += 3) {
        out[0] = s[2];
        out[1] = s[1];
        out[2] = s[0];
      }
      break;
    default:
      for (int x = 0; x < w; ++x, out += 3) {
        const Color c = bitmap.Pixel(x, y);
        out[0] = static_cast<std::uint8_t>(RedOf(c));
        out[1] = static_cast<std::uint8_t>(GreenOf(c));
        out[2] = static_cast<std::uint8_t>(BlueOf(c));
      }
      break;
  }
}

void WriteRgbLayout(OutputStream& out, const DibView& bitmap) {
  const std::uint32_t width = static_cast<std::uint32_t>(bitmap.width);
  const std::uint32_t rows = static_cast<std::uint32_t>(bitmap.height);
  const std::uint32_t row_bytes = 3 * width;

  out.Write(kHeader, sizeof kHeader);
  out.Write(kResolution, sizeof kResolution);        // 8
  out.Write(kResolution, sizeof kResolution);        // 16
  out.Write(kBitsPerSample, sizeof kBitsPerSample);  // 24
  out.Write(kSoftware, sizeof kSoftware);            // 30
  // Pixel data at 40. One row buffer instead of a copy of the picture.
  std::vector<std::uint8_t> row(row_bytes);
  if (bitmap.bit_count == 16) {
    // Masked pixels are spread to 24 bits once per row.
    const Raster wide = ToRaster(bitmap);
    const DibView view = ViewOf(wide);
    for (std::uint32_t y = 0; y < rows; ++y) {
      RgbRow(view, static_cast<int>(y), row.data());
      out.Write(row.data(), row.size());
    }
  } else {
    for (std::uint32_t y = 0; y < rows; ++y) {
      RgbRow(bitmap, static_cast<int>(y), row.data());
      out.Write(row.data(), row.size());
    }
  }

  Directory dir;
  dir.Add(254, kLong, 1, 0);
  dir.AddSize(256, width);
  dir.AddSize(257, rows);
  dir.Add(258, kShort, 3, 24);
  dir.Add(259, kShort, 1, 1);
  dir.Add(262, kShort, 1, 2);
  dir.Add(273, kLong, 1, 40);
  dir.Add(277, kShort, 1, 3);
  dir.Add(278, kLong, 1, rows);
  dir.Add(279, kLong, 1, row_bytes * rows);
  dir.Add(282, kRational, 1, 8);
  dir.Add(283, kRational, 1, 16);
  dir.Add(284, kShort, 1, 1);
  dir.Add(296, kShort, 1, 2);
  dir.Add(305, kAscii, sizeof kSoftware, 30);
  const std::uint64_t directory_offset = out.Position();
  dir.WriteTo(out);
  PatchDirectoryOffset(out, directory_offset);
}

}  // namespace

void WriteTiff(OutputStream& out, const DibView& bitmap) {
  if (bitmap.Empty() || bitmap.bits == nullptr) return;
  // Every offset of the layout is 32 bits: a file past 4 GiB cannot be
  // addressed, so it is refused before a byte is written.
  if (TiffFileSize(bitmap) > 0xFFFFFFFFu) throw OutputError(kTiffTooLargeMessage);
  if (HeldByPaletteLayout(bitmap)) {
    WritePaletteLayout(out, bitmap);
  } else {
    WriteRgbLayout(out, bitmap);
  }
}

std::uint64_t TiffFileSize(const DibView& bitmap) {
  if (bitmap.Empty()) return 0;
  const std::uint64_t w = static_cast<std::uint64_t>(bitmap.width);
  const std::uint64_t h = static_cast<std::uint64_t>(bitmap.height);
  constexpr std::uint64_t kDirectory = 2 + kEntries * 12 + 4;
  if (HeldByPaletteLayout(bitmap)) {
    const std::uint64_t bits = static_cast<std::uint64_t>(bitmap.bit_count);
    const std::uint64_t row_bytes = bits == 8 ? w : (w & ~std::uint64_t{3}) / 2;
    return sizeof kHeader + 6 * (std::uint64_t{1} << bits) + 2 * sizeof kResolution + sizeof kSoftware +
           row_bytes * h + kDirectory;
  }
  return 40 + 3 * w * h + kDirectory;
}

void SaveBitmapAsTiff(const std::filesystem::path& path, const DibView& bitmap) {
  if (bitmap.Empty() || bitmap.bits == nullptr) throw OutputError(kEmptyTiffMessage);
  if (TiffFileSize(bitmap) > 0xFFFFFFFFu) throw OutputError(kTiffTooLargeMessage);
  FileStream file(path);
  WriteTiff(file, bitmap);
  file.Commit();
}

void SaveBitmapAsTiff(const std::filesystem::path& path, const Raster& picture) {
  SaveBitmapAsTiff(path, ViewOf(picture));
}

}  // namespace ksv
