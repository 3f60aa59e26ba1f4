#include "output/jpeg.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "output/output_error.h"
#include "output/picture_files.h"
#include "output/picture_util.h"

namespace ksv {
namespace {

// libjpeg's own documented sequence for red-green-blue rows: the file the
// encoder must give for the same picture and quality.
std::vector<std::uint8_t> ReferenceJpeg(const Raster& picture, int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.Width());
  cinfo.image_height = static_cast<JDIMENSION>(picture.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.Width()) * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Color c = picture.Pixel(x, y);
      row[3 * x] = static_cast<std::uint8_t>(RedOf(c));
      row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
      row[3 * x + 2] = static_cast<std::uint8_t>(BlueOf(c));
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

int CountMarker(const std::vector<std::uint8_t>& f, std::uint8_t marker) {
  // Markers outside entropy-coded data: walk the segments up to the scan.
  int count = 0;
  std::size_t i = 2;
  while (i + 4 <= f.size() && f[i] == 0xFF) {
    if (f[i + 1] == marker) ++count;
    if (f[i + 1] == 0xDA) break;  // start of scan
    i += 2 + (static_cast<std::size_t>(f[i + 2]) << 8 | f[i + 3]);
  }
  return count;
}

TEST(JpegTest, SameFileAsLibjpegWithDefaultsAndBaselineQuality) {
  const Raster picture = test::PhotoLike(67, 41);
  for (const int quality : {1, 50, 80, 100}) {
    EXPECT_EQ(EncodeJpeg(picture, quality), ReferenceJpeg(picture, quality)) << "quality " << quality;
  }
}

TEST(JpegTest, OneBaselineJfifImage) {
  const std::vector<std::uint8_t> f = EncodeJpeg(test::ScreenshotLike(120, 90), 80);
  ASSERT_GT(f.size(), 20u);
  EXPECT_EQ(f[0], 0xFF);
  EXPECT_EQ(f[1], 0xD8);
  EXPECT_EQ(f[2], 0xFF);
  EXPECT_EQ(f[3], 0xE0);  // APP0
  EXPECT_EQ(std::string(f.begin() + 6, f.begin() + 10), "JFIF");
  EXPECT_EQ(CountMarker(f, 0xC0), 1);  // baseline frame
  EXPECT_EQ(CountMarker(f, 0xC2), 0);  // not progressive
  EXPECT_EQ(f[f.size() - 2], 0xFF);
  EXPECT_EQ(f[f.size() - 1], 0xD9);
}

TEST(JpegTest, QualityOutsideTheRangeIsClamped) {
  const Raster picture = test::PhotoLike(32, 32);
  EXPECT_EQ(EncodeJpeg(picture, 0), EncodeJpeg(picture, 1));
  EXPECT_EQ(EncodeJpeg(picture, 400), EncodeJpeg(picture, 100));
  EXPECT_LT(EncodeJpeg(picture, 10).size(), EncodeJpeg(picture, 90).size());
}

TEST(JpegTest, DecodesCloseToTheSource) {
  const Raster picture = test::PhotoLike(160, 120);
  const Raster back = DecodeJpeg(EncodeJpeg(picture, 90));
  ASSERT_EQ(back.Width(), 160);
  ASSERT_EQ(back.Height(), 120);
  EXPECT_GT(test::Psnr(picture, back), 30.0);
}

TEST(JpegTest, EmptyPictureIsAnErrorAndLeavesNoFile) {
  EXPECT_THROW(EncodeJpeg(Raster(), 80), OutputError);
  test::TempFolder folder;
  EXPECT_THROW(SavePictureAsJpeg(Raster(), folder / "e.jpg", 80), OutputError);
  EXPECT_FALSE(std::filesystem::exists(folder / "e.jpg"));
}

TEST(JpegTest, BrokenFilesGiveLibjpegsMessage) {
  std::vector<std::uint8_t> f = EncodeJpeg(test::PhotoLike(16, 16), 80);
  f.resize(30);
  EXPECT_THROW(DecodeJpeg(f), OutputError);
  EXPECT_THROW(DecodeJpeg(std::vector<std::uint8_t>{0xFF, 0xD8}), OutputError);
}

}  // namespace
}  // namespace ksv
