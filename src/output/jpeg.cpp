#include "output/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
// After jpeglib.h: the codes of libjpeg's messages.
#include <jerror.h>

#include "output/output_error.h"
#include "output/size_limits.h"

namespace ksv {

const char kEmptyJpegMessage[] = "图像为空，不能保存为 JPEG 文件";

namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
// It jumps back to the frame that called into the library; no C++ object
// with a destructor lives between that frame and the library.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  // Set when libjpeg itself refused the frame's size (more than 65500 on
  // a side), so that the message can be the readers' own.
  bool too_big = false;
  JDIMENSION width = 0, height = 0;
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  if (cinfo->is_decompressor && cinfo->err->msg_code == JERR_IMAGE_TOO_BIG) {
    err->too_big = true;
    err->width = reinterpret_cast<j_decompress_ptr>(cinfo)->image_width;
    err->height = reinterpret_cast<j_decompress_ptr>(cinfo)->image_height;
  }
  std::longjmp(err->jump, 1);
}

extern "C" void OnJpegWarning(j_common_ptr, int) {}

constexpr int kRowsPerCall = 16;

// Returns false with err->message set when libjpeg failed. `*out` and
// `*out_size` belong to libjpeg's memory destination and are freed by the
// caller with free().
bool Compress(const Raster& picture, int quality, unsigned char** out, unsigned long* out_size,
              ErrorManager* err) {
  jpeg_compress_struct cinfo{};
  cinfo.err = jpeg_std_error(&err->pub);
  err->pub.error_exit = OnJpegError;
  if (setjmp(err->jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, out_size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.Width());
  cinfo.image_height = static_cast<JDIMENSION>(picture.Height());
  cinfo.input_components = 3;
  // The raster is blue-green-red; libjpeg-turbo reads that order itself,
  // which gives the same file as swapping to red-green-blue first.
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.next_scanline < cinfo.image_height) {
    const JDIMENSION first = cinfo.next_scanline;
    JDIMENSION n = 0;
    for (; n < kRowsPerCall && first + n < cinfo.image_height; ++n)
      rows[n] = const_cast<JSAMPROW>(picture.Row(static_cast<int>(first + n)));
    jpeg_write_scanlines(&cinfo, rows, n);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

// More scans than any real progressive file has (libjpeg's own progression
// uses ten): each scan passes over the whole picture again, so a small
// file made of thousands of them would keep the decoder busy for minutes.
constexpr int kMaxScans = 256;

struct ScanLimit {
  jpeg_progress_mgr pub;
  ErrorManager* err;
};

extern "C" void OnJpegProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
  auto* limit = reinterpret_cast<ScanLimit*>(cinfo->progress);
  std::snprintf(limit->err->message, sizeof limit->err->message, "JPEG file has more than %d scans",
                kMaxScans);
  std::longjmp(limit->err->jump, 1);
}

// Print programs store CMYK inverted, as Adobe's writers do (0 is full
// ink), and libjpeg hands YCCK files over in the same form: the stored
// values are the fractions of light each ink lets through.
void InvertedCmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, JDIMENSION width) {
  auto times = [](int a, int b) { return static_cast<std::uint8_t>((a * b + 127) / 255); };
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    bgr[0] = times(cmyk[2], cmyk[3]);
    bgr[1] = times(cmyk[1], cmyk[3]);
    bgr[2] = times(cmyk[0], cmyk[3]);
  }
}

enum class DecodeResult { kOk, kFailed, kTooLarge, kTooShort };

// Every 8 x 8 block of the picture costs at least a bit in the data (a DC
// difference and an end of block in the first scan), so a file shorter
// than one byte per eight blocks cannot hold its picture: it is a stump
// that would make libjpeg fill gigabytes with grey from a few hundred
// bytes. A real download cut short keeps far more than that and loads.
bool FarTooShort(std::uint64_t file_size, JDIMENSION width, JDIMENSION height) {
  const std::uint64_t blocks = ((std::uint64_t{width} + 7) / 8) * ((std::uint64_t{height} + 7) / 8);
  return file_size < blocks / 8;
}

// On success `*picture` holds the decoded pixels; kTooLarge and kTooShort
// leave the header's size in `*width` and `*height`.
DecodeResult Decompress(const unsigned char* data, unsigned long size, Raster* picture, ErrorManager* err,
                        JDIMENSION* width, JDIMENSION* height) {
  jpeg_decompress_struct cinfo{};
  ScanLimit limit{};
  cinfo.err = jpeg_std_error(&err->pub);
  err->pub.error_exit = OnJpegError;
  err->pub.emit_message = OnJpegWarning;
  limit.pub.progress_monitor = OnJpegProgress;
  limit.err = err;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::kFailed;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &limit.pub;
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  // The size rule comes before jpeg_start_decompress, which is where
  // libjpeg allocates buffers for the whole picture.
  if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
    *width = cinfo.image_width;
    *height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::kTooLarge;
  }
  if (FarTooShort(size, cinfo.image_width, cinfo.image_height)) {
    *width = cinfo.image_width;
    *height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::kTooShort;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  try {
    *picture = Raster(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  // CMYK rows come through a buffer of libjpeg's own, freed with cinfo.
  JSAMPARRAY inks = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                      cinfo.output_width * 4, kRowsPerCall)
                         : nullptr;
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    JDIMENSION n = 0;
    for (; n < kRowsPerCall && first + n < cinfo.output_height; ++n)
      rows[n] = cmyk ? inks[n] : picture->MutableRow(static_cast<int>(first + n));
    const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, n);
    if (cmyk)
      for (JDIMENSION i = 0; i < got; ++i)
        InvertedCmykToBgr(inks[i], picture->MutableRow(static_cast<int>(first + i)), cinfo.output_width);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return DecodeResult::kOk;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Raster& picture, int quality) {
  if (picture.Empty()) throw OutputError(kEmptyJpegMessage);
  quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
  ErrorManager err;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = Compress(picture, quality, &buffer, &size, &err);
  std::vector<std::uint8_t> bytes;
  if (ok) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) throw OutputError(err.message);
  return bytes;
}

Raster DecodeJpeg(std::span<const std::uint8_t> file) {
  // libjpeg takes the length as an unsigned long, 32 bits on Windows.
  if (file.size() > std::numeric_limits<unsigned long>::max())
    throw OutputError("JPEG file larger than 4 GiB");
  ErrorManager err;
  Raster picture;
  JDIMENSION width = 0, height = 0;
  switch (Decompress(file.data(), static_cast<unsigned long>(file.size()), &picture, &err, &width, &height)) {
    case DecodeResult::kOk:
      return picture;
    case DecodeResult::kTooLarge:
      throw OutputError(PictureTooLargeMessage(width, height));
    case DecodeResult::kTooShort:
      throw OutputError("JPEG data far too short for a picture of " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
    case DecodeResult::kFailed:
      break;
  }
  if (err.too_big) throw OutputError(PictureTooLargeMessage(err.width, err.height));
  throw OutputError(err.message);
}

}  // namespace ksv
