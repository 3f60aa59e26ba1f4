#include "output/tiff_reader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "output/output_error.h"
#include "output/size_limits.h"

namespace ksv {

namespace {

// Colour scanners go up to 4 samples plus alpha and a spot colour or two;
// files claiming more are broken, and libtiff's RGBA interface reads at
// most 16 bits a sample.
constexpr std::uint16_t kMaxSamplesPerPixel = 8;
constexpr std::uint16_t kMaxBitsPerSample = 16;
// Rows converted at a time through the RGBA interface, in pixels: a few
// MiB of 32-bit pixels beside the picture instead of a second full copy.
constexpr std::uint64_t kBandPixels = std::uint64_t{1} << 20;

[[noreturn]] void Fail(const std::string& why) { throw OutputError("TIFF image not readable: " + why); }

// The file as libtiff's client stream. The span also serves as libtiff's
// "mapping", so strips are decoded straight from it without a copy.
struct MemoryFile {
  std::span<const std::uint8_t> data;
  std::uint64_t pos = 0;
  std::string first_error;
};

MemoryFile& FileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& f = FileOf(handle);
  if (size <= 0 || f.pos >= f.data.size()) return 0;
  const std::uint64_t n = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), f.data.size() - f.pos);
  std::memcpy(buffer, f.data.data() + f.pos, static_cast<std::size_t>(n));
  f.pos += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return 0; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& f = FileOf(handle);
  std::uint64_t base = 0;
  if (whence == SEEK_CUR) base = f.pos;
  if (whence == SEEK_END) base = f.data.size();
  // libtiff passes negative relative offsets as wrapped unsigned values;
  // the sum wraps back, and a position before the start is an error.
  const std::uint64_t target = base + offset;
  if (whence != SEEK_SET && static_cast<std::int64_t>(offset) < 0 && target > base)
    return static_cast<toff_t>(-1);
  f.pos = target;
  return f.pos;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) { return FileOf(handle).data.size(); }

int MapProc(thandle_t handle, void** base, toff_t* size) {
  MemoryFile& f = FileOf(handle);
  // libtiff only reads through a read-only mapping.
  *base = const_cast<std::uint8_t*>(f.data.data());
  *size = f.data.size();
  return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

// libtiff's default handlers print to stderr; the first error becomes the
// message of the refusal, warnings are dropped.
int OnError(TIFF*, void* user, const char*, const char* format, va_list args) {
  MemoryFile& f = *static_cast<MemoryFile*>(user);
  if (f.first_error.empty()) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    f.first_error = text;
    std::replace(f.first_error.begin(), f.first_error.end(), '\n', ' ');
  }
  return 1;
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle Open(MemoryFile& file) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) Fail("out of memory");
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &file);
  TIFF* tif = TIFFClientOpenExt("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  if (!tif) Fail(file.first_error.empty() ? "not a TIFF file" : file.first_error);
  return TiffHandle(tif);
}

std::string ErrorOf(const MemoryFile& file, const char* fallback) {
  return file.first_error.empty() ? std::string(fallback) : file.first_error;
}

std::vector<std::uint8_t> Buffer(std::uint64_t count, std::uint64_t item) {
  std::size_t bytes = 0;
  if (!CheckedMul(count, item, &bytes)) Fail("image too large for memory");
  return std::vector<std::uint8_t>(bytes);
}

// No codec libtiff reads packs data tighter than this: fax codes give a
// blank row in one bit (a ratio up to the width, at most 65,535), Deflate
// stays near 1,000 and LZW under 3,000 to one; uncompressed data is only
// smaller than its picture when its colour is subsampled.
std::uint64_t MaxCompressionRatio(std::uint16_t compression) {
  switch (compression) {
    case COMPRESSION_NONE:
      return 4;  // subsampled YCbCr holds down to a third of the samples
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
    case COMPRESSION_CCITTRLEW:
      return std::uint64_t{1} << 17;
    default:
      return std::uint64_t{1} << 13;
  }
}

// Every strip or tile must lie inside the file, and together hold enough
// data for the picture they claim. libtiff only finds either out strip by
// strip as it decodes, with a message about a read error, after the
// picture has been allocated; a small file claiming a huge picture is
// refused here before that.
void CheckDataInFile(TIFF* tif, const MemoryFile& file, std::uint32_t width, std::uint32_t height,
                     std::uint16_t samples, std::uint16_t bits) {
  const std::uint32_t count = TIFFNumberOfStrips(tif);
  if (count == 0) Fail("no image data");
  // Both sides are below 2^16 and samples * bits below 2^8: no overflow.
  const std::uint64_t needed = (std::uint64_t{width} * samples * bits + 7) / 8 * height;
  const std::uint64_t size = file.data.size();
  std::uint64_t stored = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t offset = TIFFGetStrileOffset(tif, i);
    const std::uint64_t bytes = TIFFGetStrileByteCount(tif, i);
    if (offset > size || bytes > size - offset)
      Fail(std::string("image data past the end of the file (") + (TIFFIsTiled(tif) ? "tile " : "strip ") +
           std::to_string(i + 1) + " of " + std::to_string(count) + ")");
    // Each count is within the file, and the sum stops growing once it
    // covers the picture: no overflow.
    if (stored < needed) stored += bytes;
  }
  std::uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  const std::uint64_t ratio = MaxCompressionRatio(compression);
  if (stored < (needed + ratio - 1) / ratio)
    Fail("image data too short for a " + std::to_string(width) + " x " + std::to_string(height) +
         " picture (" + std::to_string(stored) + " bytes)");
}

// Bilevel, grey and palette rows of 1, 4 or 8 bits are copied as they are,
// so the tools write the palette back out.
bool KeepsPaletteDepth(TIFF* tif, std::uint16_t samples, std::uint16_t bits, std::uint16_t photometric) {
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  return !TIFFIsTiled(tif) && samples == 1 && (bits == 1 || bits == 4 || bits == 8) &&
         (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK ||
          photometric == PHOTOMETRIC_PALETTE) &&
         orientation == ORIENTATION_TOPLEFT;
}

std::vector<Color> PaletteOf(TIFF* tif, std::uint16_t bits, std::uint16_t photometric) {
  const std::uint32_t colours = 1u << bits;
  std::vector<Color> palette(colours);
  if (photometric != PHOTOMETRIC_PALETTE) {
    for (std::uint32_t i = 0; i < colours; ++i) {
      const int step = static_cast<int>(i * 255 / (colours - 1));
      const int grey = photometric == PHOTOMETRIC_MINISWHITE ? 255 - step : step;
      palette[i] = MakeColor(grey, grey, grey);
    }
    return palette;
  }
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
    Fail("palette image without a colour map");
  // Old writers store bytes (every value below 256); some, this program's
  // own writer among them, store the byte in the high half (255 as 65280);
  // the rest use the whole 16-bit range.
  bool below_256 = true, byte_in_high_half = true;
  for (const std::uint16_t* map : {red, green, blue}) {
    for (std::uint32_t i = 0; i < colours; ++i) {
      below_256 = below_256 && map[i] < 256;
      byte_in_high_half = byte_in_high_half && (map[i] & 0xFF) == 0;
    }
  }
  auto level = [&](std::uint32_t v) {
    if (below_256) return static_cast<int>(v);
    return static_cast<int>(byte_in_high_half ? (v >> 8) : (v * 255 + 32767) / 65535);
  };
  for (std::uint32_t i = 0; i < colours; ++i)
    palette[i] = MakeColor(level(red[i]), level(green[i]), level(blue[i]));
  return palette;
}

Dib ReadIndexed(TIFF* tif, const MemoryFile& file, std::uint32_t width, std::uint32_t height,
                std::uint16_t bits, std::uint16_t photometric) {
  std::vector<Color> palette = PaletteOf(tif, bits, photometric);
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
  const std::uint64_t scanline = static_cast<std::uint64_t>(TIFFScanlineSize64(tif));
  if (scanline < row_bytes) Fail(ErrorOf(file, "bad scanline size"));
  std::vector<std::uint8_t> line = Buffer(scanline, 1);
  Dib dib = Dib::Make(static_cast<int>(width), static_cast<int>(height), bits);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tif, line.data(), y, 0) < 0) Fail(ErrorOf(file, "cannot read the image data"));
    std::memcpy(dib.MutableRow(static_cast<int>(y)), line.data(), static_cast<std::size_t>(row_bytes));
  }
  dib.palette = std::move(palette);
  return dib;
}

// libtiff's own conversion of 16-bit grey steps over the unused part of a
// clipped tile (the right-hand column of tiles) by a count of pixels taken
// as bytes, so those tiles come out sheared; it also drops the low byte
// instead of rounding. This one skips whole samples and rounds.
void PutGrey16(TIFFRGBAImage* image, std::uint32_t* out, std::uint32_t, std::uint32_t, std::uint32_t width,
               std::uint32_t height, std::int32_t from_skew, std::int32_t to_skew, unsigned char* in) {
  const std::size_t step = 2 * static_cast<std::size_t>(image->samplesperpixel);
  const bool inverted = image->photometric == PHOTOMETRIC_MINISWHITE;
  for (; height > 0; --height) {
    const unsigned char* p = in;
    for (std::uint32_t x = 0; x < width; ++x, p += step) {
      std::uint16_t v;  // already in the machine's byte order
      std::memcpy(&v, p, sizeof v);
      std::uint32_t level = (std::uint32_t{v} * 255 + 32767) / 65535;
      if (inverted) level = 255 - level;
      *out++ = level | level << 8 | level << 16 | 0xFFu << 24;
    }
    out += to_skew;
    in += (static_cast<std::ptrdiff_t>(width) + from_skew) * static_cast<std::ptrdiff_t>(step);
  }
}

struct RgbaImageEnd {
  void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// Everything else, through libtiff's RGBA interface, a band of rows at a
// time. Its pixels come premultiplied by their alpha (libtiff multiplies
// unassociated alpha in), so taking red, green and blue as they are
// composites the picture over black.
Dib ReadRgba(TIFF* tif, const MemoryFile& file, std::uint32_t width, std::uint32_t height) {
  char message[1024] = "";
  if (!TIFFRGBAImageOK(tif, message)) Fail(message[0] ? message : ErrorOf(file, "unsupported image layout"));
  TIFFRGBAImage image;
  if (!TIFFRGBAImageBegin(&image, tif, 1, message))
    Fail(message[0] ? message : ErrorOf(file, "unsupported image layout"));
  const std::unique_ptr<TIFFRGBAImage, RgbaImageEnd> end(&image);
  image.req_orientation = ORIENTATION_TOPLEFT;
  if (image.isContig && image.bitspersample == 16 &&
      (image.photometric == PHOTOMETRIC_MINISBLACK || image.photometric == PHOTOMETRIC_MINISWHITE))
    image.put.contig = PutGrey16;

  // Bands are whole strips or tile rows, so no strip is decoded twice; a
  // picture stored in another orientation is read in one band, since its
  // rows are flipped within the band.
  std::uint32_t chunk = height;
  if (TIFFIsTiled(tif)) {
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &chunk);
  } else {
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &chunk);
  }
  chunk = std::clamp<std::uint32_t>(chunk, 1, height);
  std::uint64_t band = height;
  if (image.orientation == ORIENTATION_TOPLEFT) {
    const std::uint64_t chunks = std::max<std::uint64_t>(1, kBandPixels / (std::uint64_t{width} * chunk));
    band = std::min<std::uint64_t>(height, chunks * chunk);
  }
  std::size_t band_pixels = 0, band_bytes = 0;
  if (!CheckedMul(width, band, &band_pixels) || !CheckedMul(band_pixels, sizeof(std::uint32_t), &band_bytes))
    Fail("image too large for memory");
  std::vector<std::uint32_t> raster(band_pixels);

  Dib dib = Dib::Make(static_cast<int>(width), static_cast<int>(height), 24);
  for (std::uint32_t top = 0; top < height; top += static_cast<std::uint32_t>(band)) {
    const std::uint32_t rows = static_cast<std::uint32_t>(std::min<std::uint64_t>(band, height - top));
    image.row_offset = static_cast<int>(top);
    image.col_offset = 0;
    if (!TIFFRGBAImageGet(&image, raster.data(), width, rows))
      Fail(ErrorOf(file, "cannot read the image data"));
    for (std::uint32_t y = 0; y < rows; ++y) {
      const std::uint32_t* s = raster.data() + static_cast<std::size_t>(y) * width;
      std::uint8_t* d = dib.MutableRow(static_cast<int>(top + y));
      for (std::uint32_t x = 0; x < width; ++x, d += 3) {
        d[0] = static_cast<std::uint8_t>(TIFFGetB(s[x]));
        d[1] = static_cast<std::uint8_t>(TIFFGetG(s[x]));
        d[2] = static_cast<std::uint8_t>(TIFFGetR(s[x]));
      }
    }
  }
  return dib;
}

}  // namespace

Dib DecodeTiff(std::span<const std::uint8_t> file) {
  MemoryFile memory{file, 0, {}};
  const TiffHandle tif = Open(memory);
  std::uint32_t width = 0, height = 0;
  if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height))
    Fail(ErrorOf(memory, "no image size"));
  CheckPictureSize(width, height);
  if (width == 0 || height == 0) Fail("no image size");
  std::uint16_t samples = 1, bits = 1, photometric = PHOTOMETRIC_MINISWHITE;
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
  if (samples < 1 || samples > kMaxSamplesPerPixel)
    Fail("unsupported number of samples per pixel (" + std::to_string(samples) + ")");
  if (bits < 1 || bits > kMaxBitsPerSample)
    Fail("unsupported bits per sample (" + std::to_string(bits) + ")");
  if (!TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric))
    photometric = samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  CheckDataInFile(tif.get(), memory, width, height, samples, bits);
  if (KeepsPaletteDepth(tif.get(), samples, bits, photometric))
    return ReadIndexed(tif.get(), memory, width, height, bits, photometric);
  return ReadRgba(tif.get(), memory, width, height);
}

}  // namespace ksv
