#include "output/tiff_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "output/output_error.h"
#include "output/picture_util.h"
#include "output/stream.h"

namespace ksv {
namespace {

using test::Le16At;
using test::Le32At;

std::vector<std::uint8_t> Tiff(const DibView& bitmap) {
  MemoryStream out;
  WriteTiff(out, bitmap);
  return out.TakeBytes();
}

struct Entry {
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint32_t value = 0;  // SHORT values read from the first two bytes
};

Entry FindEntry(const std::vector<std::uint8_t>& file, std::uint16_t tag) {
  const std::uint32_t dir = Le32At(file, 4);
  const std::uint16_t n = Le16At(file, dir);
  for (std::uint16_t i = 0; i < n; ++i) {
    const std::size_t e = dir + 2 + 12u * i;
    if (Le16At(file, e) != tag) continue;
    Entry entry{Le16At(file, e + 2), Le32At(file, e + 4), 0};
    entry.value = (entry.type == 3 && entry.count == 1) ? Le16At(file, e + 8) : Le32At(file, e + 8);
    return entry;
  }
  ADD_FAILURE() << "no tag " << tag;
  return {};
}

// The 3 x 2 picture whose top row is (1,2,3) (4,5,6) (7,8,9) and bottom
// row (10,11,12) (13,14,15) (16,17,18) as red, green, blue.
Raster ThreeByTwo() {
  Raster r(3, 2);
  int v = 1;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x, v += 3) r.SetPixel(x, y, MakeColor(v, v + 1, v + 2));
  return r;
}

// The same picture in another depth and row order.
Dib AsDib(const Raster& r, int bits, bool bottom_up) {
  Dib d = Dib::Make(r.Width(), r.Height(), bits);
  d.bottom_up = bottom_up;
  for (int y = 0; y < r.Height(); ++y) {
    std::uint8_t* row = d.MutableRow(y);
    for (int x = 0; x < r.Width(); ++x) {
      const std::uint8_t* p = r.Row(y) + 3 * x;
      std::uint8_t* q = row + (bits / 8) * x;
      q[0] = p[0];
      q[1] = p[1];
      q[2] = p[2];
      if (bits == 32) q[3] = 0xEE;  // the unused byte must not reach the file
    }
  }
  return d;
}

const std::vector<std::uint8_t> kThreeByTwoFile = {
    0x49, 0x49, 0x2A, 0x00, 0x3A, 0x00, 0x00, 0x00, 0x6D, 0x03, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x6D,
    0x03, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x08, 0x00, 0x08, 0x00, 0x08, 0x00, 0x54, 0x61, 0x76, 0x69,
    0x78, 0x20, 0x73, 0x6F, 0x66, 0x74, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,
    0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x0F, 0x00, 0xFE, 0x00, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01,
    0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0x03, 0x00, 0x03, 0x00,
    0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x03, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
    0x00, 0x06, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x11, 0x01, 0x04, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x15, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03,
    0x00, 0x00, 0x00, 0x16, 0x01, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x17, 0x01,
    0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x12, 0x00, 0x00, 0x00, 0x1A, 0x01, 0x05, 0x00, 0x01, 0x00, 0x00,
    0x00, 0x08, 0x00, 0x00, 0x00, 0x1B, 0x01, 0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,
    0x1C, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x28, 0x01, 0x03, 0x00, 0x01,
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x31, 0x01, 0x02, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x1E, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

TEST(TiffRgbLayoutTest, ThreeByTwoPictureIsTheDocumentedFile) {
  const std::vector<std::uint8_t> file = Tiff(ViewOf(ThreeByTwo()));
  ASSERT_EQ(file.size(), 244u);
  EXPECT_EQ(Le32At(file, 4), 58u);
  EXPECT_EQ(FindEntry(file, 256).value, 3u);
  EXPECT_EQ(FindEntry(file, 257).value, 2u);
  EXPECT_EQ(FindEntry(file, 279).value, 18u);
  EXPECT_EQ(file[40], 1);  // top-left pixel, red first
  EXPECT_EQ(file, kThreeByTwoFile);
}

TEST(TiffRgbLayoutTest, EveryDepthAndRowOrderGivesTheSameBytes) {
  const Raster picture = ThreeByTwo();
  struct Case {
    int bits;
    bool bottom_up;
  };
  for (const Case c : {Case{24, true}, Case{24, false}, Case{32, true}, Case{32, false}}) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, bottom-up " << c.bottom_up);
    const Dib d = AsDib(picture, c.bits, c.bottom_up);
    EXPECT_EQ(Tiff(d.View()), kThreeByTwoFile);
  }
}

TEST(TiffRgbLayoutTest, LengthAndOffsetsFollowTheSize) {
  const Raster picture = test::PhotoLike(37, 5);  // odd sizes: the directory lands on an odd offset
  const std::vector<std::uint8_t> file = Tiff(ViewOf(picture));
  const std::size_t pixels = 3u * 37 * 5;
  EXPECT_EQ(file.size(), 226 + pixels);
  EXPECT_EQ(Le32At(file, 4), 40 + pixels);
  EXPECT_EQ(FindEntry(file, 279).value, pixels);
  // Last pixel of the file: bottom-right, red, green, blue.
  const Color last = picture.Pixel(36, 4);
  EXPECT_EQ(file[40 + pixels - 3], RedOf(last));
  EXPECT_EQ(file[40 + pixels - 1], BlueOf(last));
}

TEST(TiffRgbLayoutTest, SixteenBitPixelsAreWrittenAsRgb) {
  Dib d = Dib::Make(2, 1, 16);
  d.red_mask = 0xF800;
  d.green_mask = 0x07E0;
  d.blue_mask = 0x001F;
  d.MutableRow(0)[0] = 0x00;  // pure red, 5-6-5
  d.MutableRow(0)[1] = 0xF8;
  d.MutableRow(0)[2] = 0x1F;  // pure blue
  d.MutableRow(0)[3] = 0x00;
  const std::vector<std::uint8_t> file = Tiff(d.View());
  ASSERT_EQ(file.size(), 226u + 6);
  EXPECT_EQ(FindEntry(file, 262).value, 2u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 40, file.begin() + 46),
            (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 255}));
}

TEST(TiffRgbLayoutTest, SizesAboveShortRangeAreWrittenAsLong) {
  const Raster wide(70000, 1, MakeColor(1, 2, 3));
  const std::vector<std::uint8_t> file = Tiff(ViewOf(wide));
  const Entry width = FindEntry(file, 256);
  EXPECT_EQ(width.type, 4);
  EXPECT_EQ(width.value, 70000u);
  const Entry length = FindEntry(file, 257);
  EXPECT_EQ(length.type, 3);
  EXPECT_EQ(length.value, 1u);
}

struct PaletteCase {
  int bits;
  int width;
  int rows;
  bool bottom_up;
  std::uint32_t written_width;
  std::uint32_t row_bytes;
};

class TiffPaletteLayoutTest : public testing::TestWithParam<PaletteCase> {};

TEST_P(TiffPaletteLayoutTest, RowsDirectoryAndOffsets) {
  const PaletteCase c = GetParam();
  Dib d = Dib::Make(c.width, c.rows, c.bits);
  d.bottom_up = c.bottom_up;
  const std::uint32_t colours = 1u << c.bits;
  d.palette.assign(colours, MakeColor(0, 0, 0));
  for (int y = 0; y < c.rows; ++y)
    for (std::size_t i = 0; i < d.Stride(); ++i) d.MutableRow(y)[i] = static_cast<std::uint8_t>(16 * y + i);

  const std::vector<std::uint8_t> file = Tiff(d.View());
  const std::uint32_t strip = 34 + 6 * colours;
  const std::uint32_t data = c.row_bytes * c.rows;
  ASSERT_EQ(file.size(), 220 + 6 * colours + data);
  EXPECT_EQ(Le32At(file, 4), strip + data);
  EXPECT_EQ(FindEntry(file, 256).value, c.written_width);
  EXPECT_EQ(FindEntry(file, 257).value, static_cast<std::uint32_t>(c.rows));
  EXPECT_EQ(FindEntry(file, 258).value, static_cast<std::uint32_t>(c.bits));
  EXPECT_EQ(FindEntry(file, 262).value, 3u);
  EXPECT_EQ(FindEntry(file, 273).value, strip);
  EXPECT_EQ(FindEntry(file, 279).value, data);
  EXPECT_EQ(FindEntry(file, 282).value, 8 + 6 * colours);
  EXPECT_EQ(FindEntry(file, 283).value, 16 + 6 * colours);
  EXPECT_EQ(FindEntry(file, 305).value, 24 + 6 * colours);
  const Entry map = FindEntry(file, 320);
  EXPECT_EQ(map.count, 3 * colours);
  EXPECT_EQ(map.value, 8u);
  // The first row_bytes of every row, top row first, as stored.
  for (int y = 0; y < c.rows; ++y)
    for (std::uint32_t i = 0; i < c.row_bytes; ++i)
      EXPECT_EQ(file[strip + y * c.row_bytes + i], static_cast<std::uint8_t>(16 * y + i)) << "row " << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, TiffPaletteLayoutTest,
                         testing::Values(PaletteCase{8, 10, 3, true, 10, 10},  // source rows hold 12 bytes
                                         PaletteCase{8, 10, 3, false, 10, 10},
                                         PaletteCase{8, 1, 1, true, 1, 1},  // directory at an odd offset
                                         PaletteCase{4, 7, 2, true, 4, 2},  // 3 pixels dropped
                                         PaletteCase{4, 7, 2, false, 4, 2},
                                         PaletteCase{4, 8, 2, true, 8, 4}));

TEST(TiffColourMapTest, HoldsEachByteInTheHighHalf) {
  Dib d = Dib::Make(4, 1, 8);
  d.palette = {MakeColor(255, 255, 255), MakeColor(1, 2, 3)};  // shorter than 256 entries
  const std::vector<std::uint8_t> file = Tiff(d.View());
  const std::size_t red = 8, green = 8 + 512, blue = 8 + 1024;
  EXPECT_EQ(Le16At(file, red), 65280);
  EXPECT_EQ(Le16At(file, green), 65280);
  EXPECT_EQ(Le16At(file, blue), 65280);
  EXPECT_EQ(Le16At(file, red + 2), 256);
  EXPECT_EQ(Le16At(file, green + 2), 512);
  EXPECT_EQ(Le16At(file, blue + 2), 768);
  for (std::size_t i = 2; i < 256; ++i) {
    ASSERT_EQ(Le16At(file, red + 2 * i), 0) << i;
    ASSERT_EQ(Le16At(file, blue + 2 * i), 0) << i;
  }
}

TEST(TiffWriterTest, HeaderNeverKeepsThePlaceholderOffset) {
  for (const int bits : {4, 8, 24, 32}) {
    Dib d = Dib::Make(5, 3, bits);
    d.palette.assign(bits <= 8 ? (1u << bits) : 0u, MakeColor(9, 9, 9));
    const std::vector<std::uint8_t> file = Tiff(d.View());
    ASSERT_GT(file.size(), 8u);
    EXPECT_NE(Le32At(file, 4), 8u) << bits;
    EXPECT_EQ(Le16At(file, Le32At(file, 4)), 15) << bits;
  }
}

TEST(TiffWriterTest, EmptyBitmapsAreRefusedAndOneBitOnesTakeTheRgbLayout) {
  EXPECT_TRUE(Tiff(ViewOf(Raster())).empty());
  test::TempFolder folder;
  EXPECT_THROW(SaveBitmapAsTiff(folder / "empty.tif", Raster()), OutputError);
  EXPECT_FALSE(std::filesystem::exists(folder / "empty.tif"));

  // A 1-bit bitmap (a scanner's or a driver's) would be lost in the
  // palette layout; it is written as RGB, three samples of 8 bits.
  Dib one_bit = Dib::Make(8, 8, 1);
  one_bit.palette = {MakeColor(0, 0, 0), MakeColor(255, 255, 255)};
  one_bit.MutableRow(2)[0] = 0x81;
  const std::vector<std::uint8_t> file = Tiff(one_bit.View());
  ASSERT_EQ(file.size(), TiffFileSize(one_bit.View()));
  EXPECT_EQ(file.size(), 40u + 8 * 8 * 3 + 2 + 15 * 12 + 4);
  const std::size_t row2 = 40 + 2 * 8 * 3;
  EXPECT_EQ(file[row2], 255);
  EXPECT_EQ(file[row2 + 3], 0);
  EXPECT_EQ(file[row2 + 7 * 3 + 2], 255);
}

// Accepts `limit` bytes, then fails as a full disk would.
class FailingStream final : public OutputStream {
 public:
  using OutputStream::Write;
  explicit FailingStream(std::size_t limit) : limit_(limit) {}
  void Write(const void*, std::size_t size) override {
    if (position_ + size > limit_) throw OutputError(kStreamWriteError);
    position_ += size;
  }
  void Seek(std::uint64_t position) override { position_ = position; }
  std::uint64_t Position() const override { return position_; }

 private:
  std::size_t limit_;
  std::uint64_t position_ = 0;
};

TEST(TiffWriterTest, WriteErrorsPropagate) {
  const Raster picture = test::PhotoLike(20, 20);
  for (const std::size_t limit : {std::size_t{0}, std::size_t{100}, std::size_t{1225}}) {
    FailingStream out(limit);
    EXPECT_THROW(WriteTiff(out, ViewOf(picture)), OutputError) << limit;
  }
}

TEST(TiffWriterTest, SaveReplacesTheFileAndReportsAMissingFolder) {
  test::TempFolder folder;
  const std::filesystem::path path = folder / "a.tif";
  SaveBitmapAsTiff(path, test::PhotoLike(50, 50));
  SaveBitmapAsTiff(path, ThreeByTwo());
  EXPECT_EQ(test::FileBytes(path), kThreeByTwoFile);

  const std::filesystem::path missing = folder / "no such folder" / "b.tif";
  try {
    SaveBitmapAsTiff(missing, ThreeByTwo());
    FAIL() << "no error";
  } catch (const OutputError& e) {
    const std::string prefix = "Cannot create file \"" + PathToText(missing) + "\". ";
    EXPECT_EQ(std::string(e.what()).substr(0, prefix.size()), prefix);
    EXPECT_GT(std::string(e.what()).size(), prefix.size()) << "the system's reason is missing";
  }
}

}  // namespace
}  // namespace ksv
