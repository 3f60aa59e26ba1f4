#include "output/jpeg.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "output/output_error.h"
#include "output/picture_files.h"
#include "output/picture_util.h"
#include "output/size_limits.h"

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

std::string RefusalOf(const std::vector<std::uint8_t>& file) {
  try {
    DecodeJpeg(file);
  } catch (const OutputError& e) {
    return e.what();
  }
  return "";
}

// The offset of the first segment with the given marker before the scan.
std::size_t SegmentAt(const std::vector<std::uint8_t>& f, std::uint8_t marker) {
  std::size_t i = 2;
  while (i + 4 <= f.size() && f[i] == 0xFF && f[i + 1] != marker)
    i += 2 + (static_cast<std::size_t>(f[i + 2]) << 8 | f[i + 3]);
  return i;
}

TEST(JpegDecoderTest, SizesBeyondTheRuleAreRefusedFromTheHeader) {
  const std::vector<std::uint8_t> small = EncodeJpeg(test::PhotoLike(16, 16), 80);
  const std::size_t sof = SegmentAt(small, 0xC0);
  ASSERT_LT(sof + 9, small.size());
  // Past 65500 on a side libjpeg refuses the frame itself; the message is
  // still the readers' own.
  const std::pair<int, int> sizes[] = {
      {20000, 20000}, {16384, 16385}, {65500, 4099}, {65535, 65535}, {65501, 1}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    std::vector<std::uint8_t> f = small;
    f[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    f[sof + 6] = static_cast<std::uint8_t>(height);
    f[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    f[sof + 8] = static_cast<std::uint8_t>(width);
    EXPECT_EQ(RefusalOf(f), PictureTooLargeMessage(width, height));
  }
}

TEST(JpegDecoderTest, DataFarTooShortForTheFrameIsRefused) {
  // A small file whose frame claims a picture within the size rule, but
  // whose data could not hold one block in eight of it.
  const std::vector<std::uint8_t> small = EncodeJpeg(test::PhotoLike(16, 16), 80);
  const std::size_t sof = SegmentAt(small, 0xC0);
  ASSERT_LT(sof + 9, small.size());
  std::vector<std::uint8_t> f = small;
  f[sof + 5] = 16384 >> 8;
  f[sof + 6] = 0;
  f[sof + 7] = 16384 >> 8;
  f[sof + 8] = 0;
  EXPECT_EQ(RefusalOf(f), "JPEG data far too short for a picture of 16384 x 16384 pixels");
  // A photo cut short after half its data still loads.
  std::vector<std::uint8_t> cut = EncodeJpeg(test::PhotoLike(256, 256), 80);
  cut.resize(cut.size() / 2);
  EXPECT_EQ(DecodeJpeg(cut).Width(), 256);
}

// Four-ink files as print programs write them: the Adobe marker, and inks
// stored inverted (255 is no ink), plain or as YCCK.
std::vector<std::uint8_t> InkJpeg(const std::vector<std::array<std::uint8_t, 4>>& blocks,
                                  J_COLOR_SPACE stored) {
  constexpr int kBlock = 16;
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(kBlock * blocks.size());
  cinfo.image_height = kBlock;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, stored);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row;
  for (const auto& inks : blocks)
    for (int x = 0; x < kBlock; ++x) row.insert(row.end(), inks.begin(), inks.end());
  for (int y = 0; y < kBlock; ++y) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

TEST(JpegDecoderTest, CmykAndYcckFilesAreShownInRgb) {
  // Stored (inverted) C, M, Y, K, and the colour they make: each channel
  // is the light its ink lets through times the light black lets through.
  const std::vector<std::array<std::uint8_t, 4>> blocks = {
      {255, 255, 255, 255}, {0, 0, 0, 255},     {0, 255, 255, 255},  {255, 0, 255, 255},
      {255, 255, 0, 255},   {255, 255, 255, 0}, {200, 100, 50, 128}, {30, 160, 250, 220},
  };
  for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    SCOPED_TRACE(stored == JCS_CMYK ? "CMYK" : "YCCK");
    const std::vector<std::uint8_t> f = InkJpeg(blocks, stored);
    const std::size_t adobe = SegmentAt(f, 0xEE);
    ASSERT_LT(adobe + 16, f.size());
    EXPECT_EQ(std::string(f.begin() + static_cast<long>(adobe) + 4, f.begin() + static_cast<long>(adobe) + 9),
              "Adobe");
    const Raster back = DecodeJpeg(f);
    ASSERT_EQ(back.Width(), static_cast<int>(16 * blocks.size()));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const auto& [c, m, y, k] = blocks[i];
      const Color got = back.Pixel(static_cast<int>(16 * i + 8), 8);
      SCOPED_TRACE(testing::Message() << "block " << i << " got " << std::hex << got);
      EXPECT_NEAR(RedOf(got), c * k / 255.0, 2.5);
      EXPECT_NEAR(GreenOf(got), m * k / 255.0, 2.5);
      EXPECT_NEAR(BlueOf(got), y * k / 255.0, 2.5);
    }
  }
}

// A progressive file whose last scan is repeated: every scan is another
// pass over the whole picture, so a small file of thousands of them is
// refused instead of keeping the decoder busy.
TEST(JpegDecoderTest, ProgressiveFilesWithEndlessScansAreRefused) {
  const Raster picture = test::PhotoLike(64, 48);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 64;
  cinfo.image_height = 48;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < 48; ++y) {
    JSAMPROW p = const_cast<JSAMPROW>(picture.Row(y));
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const std::vector<std::uint8_t> progressive(buffer, buffer + size);
  std::free(buffer);

  EXPECT_GT(test::Psnr(picture, DecodeJpeg(progressive)), 30.0);
  // The last scan runs from its start-of-scan marker to the end marker.
  std::size_t last_scan = 0;
  for (std::size_t i = 0; i + 1 < progressive.size(); ++i)
    if (progressive[i] == 0xFF && progressive[i + 1] == 0xDA) last_scan = i;
  ASSERT_GT(last_scan, 0u);
  const std::vector<std::uint8_t> scan(progressive.begin() + static_cast<long>(last_scan),
                                       progressive.end() - 2);
  std::vector<std::uint8_t> endless(progressive.begin(), progressive.end() - 2);
  for (int i = 0; i < 300; ++i) endless.insert(endless.end(), scan.begin(), scan.end());
  endless.insert(endless.end(), {0xFF, 0xD9});
  EXPECT_EQ(RefusalOf(endless), "JPEG file has more than 256 scans");
}

}  // namespace
}  // namespace ksv
