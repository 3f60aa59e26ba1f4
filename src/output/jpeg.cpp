#include "output/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "output/output_error.h"

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
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
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

// On success `*picture` holds the decoded pixels.
bool Decompress(const unsigned char* data, unsigned long size, Raster* picture, ErrorManager* err) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&err->pub);
  err->pub.error_exit = OnJpegError;
  err->pub.emit_message = OnJpegWarning;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  *picture = Raster(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  JSAMPROW rows[kRowsPerCall];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    JDIMENSION n = 0;
    for (; n < kRowsPerCall && first + n < cinfo.output_height; ++n)
      rows[n] = picture->MutableRow(static_cast<int>(first + n));
    jpeg_read_scanlines(&cinfo, rows, n);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
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
  ErrorManager err;
  Raster picture;
  if (!Decompress(file.data(), static_cast<unsigned long>(file.size()), &picture, &err))
    throw OutputError(err.message);
  return picture;
}

}  // namespace ksv
