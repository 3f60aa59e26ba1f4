#include "output/bmp.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <vector>

#include "output/byte_io.h"
#include "output/output_error.h"
#include "output/picture_util.h"
#include "output/size_limits.h"

namespace ksv {
namespace {

std::vector<std::uint8_t> Bmp(const DibView& dib) {
  MemoryStream out;
  WriteBmp(out, dib);
  return out.TakeBytes();
}

// A bitmap of the given depth whose every byte says where it is.
Dib Patterned(int width, int height, int bits, bool bottom_up) {
  Dib d = Dib::Make(width, height, bits);
  d.bottom_up = bottom_up;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) d.palette.push_back(MakeColor(i, 255 - i, i / 2));
  }
  if (bits == 16) {
    d.red_mask = 0xF800;
    d.green_mask = 0x07E0;
    d.blue_mask = 0x001F;
  }
  const std::size_t used = (static_cast<std::size_t>(width) * bits + 7) / 8;
  for (int y = 0; y < height; ++y)
    for (std::size_t i = 0; i < used; ++i) d.MutableRow(y)[i] = static_cast<std::uint8_t>(y * 31 + i * 7 + 1);
  if (bits == 32)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) d.MutableRow(y)[4 * x + 3] = 0;
  return d;
}

void ExpectSamePixels(const Dib& a, const Dib& b) {
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  ASSERT_EQ(a.bit_count, b.bit_count);
  const DibView va = a.View(), vb = b.View();
  const std::size_t used = (static_cast<std::size_t>(a.width) * a.bit_count + 7) / 8;
  for (int y = 0; y < a.height; ++y)
    ASSERT_EQ(std::vector<std::uint8_t>(va.Row(y), va.Row(y) + used),
              std::vector<std::uint8_t>(vb.Row(y), vb.Row(y) + used))
        << "row " << y;
  EXPECT_EQ(a.palette, b.palette);
}

TEST(BmpTest, EveryDepthRoundTripsInItsOwnDepth) {
  for (const int bits : {1, 4, 8, 16, 24, 32}) {
    for (const bool bottom_up : {true, false}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, bottom-up " << bottom_up);
      const Dib source = Patterned(13, 5, bits, bottom_up);
      const std::vector<std::uint8_t> file = Bmp(source.View());
      const Dib back = ReadBmp(file);
      ExpectSamePixels(source, back);
      EXPECT_TRUE(back.bottom_up);  // the writer always stores bottom-up
      if (bits == 16) {
        EXPECT_EQ(back.green_mask, 0x07E0u);
      }
    }
  }
}

TEST(BmpTest, RasterIsWrittenAsBottomUp24BitWithZeroPadding) {
  Raster picture(3, 2);
  picture.SetPixel(0, 0, MakeColor(1, 2, 3));     // top-left
  picture.SetPixel(0, 1, MakeColor(10, 20, 30));  // bottom-left
  const std::vector<std::uint8_t> file = Bmp(ViewOf(picture));
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(test::Le32At(file, 2), file.size());
  EXPECT_EQ(test::Le32At(file, 10), 54u);
  EXPECT_EQ(test::Le32At(file, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(test::Le16At(file, 28), 24);
  EXPECT_EQ(file[54], 30);  // first stored row is the bottom row, blue first
  EXPECT_EQ(file[54 + 12], 3);
  EXPECT_EQ(file[54 + 9], 0);  // padding
  EXPECT_TRUE(ToRaster(ReadBmp(file).View()).SamePixels(picture));
}

TEST(BmpTest, EmptyBitmapIsAValidHeaderOnlyFile) {
  const std::vector<std::uint8_t> file = Bmp(ViewOf(Raster()));
  ASSERT_EQ(file.size(), 54u);
  EXPECT_EQ(test::Le32At(file, 2), 54u);
  EXPECT_EQ(test::Le32At(file, 18), 0u);
  EXPECT_EQ(test::Le32At(file, 22), 0u);
  EXPECT_TRUE(ReadBmp(file).Empty());
}

// Files as other writers make them.
std::vector<std::uint8_t> Handmade(std::uint32_t header_size, std::int32_t width, std::int32_t height,
                                   int bits, std::uint32_t compression,
                                   const std::vector<std::uint32_t>& masks,
                                   const std::vector<std::uint8_t>& pixels, std::uint32_t colours = 0) {
  std::vector<std::uint8_t> f(14 + header_size, 0);
  f[0] = 'B';
  f[1] = 'M';
  std::uint8_t* h = f.data() + 14;
  bytes::PutLe32(h, header_size);
  if (header_size == 12) {
    bytes::PutLe16(h + 4, static_cast<std::uint32_t>(width));
    bytes::PutLe16(h + 6, static_cast<std::uint32_t>(height));
    bytes::PutLe16(h + 8, 1);
    bytes::PutLe16(h + 10, static_cast<std::uint32_t>(bits));
  } else {
    bytes::PutLe32(h + 4, static_cast<std::uint32_t>(width));
    bytes::PutLe32(h + 8, static_cast<std::uint32_t>(height));
    bytes::PutLe16(h + 12, 1);
    bytes::PutLe16(h + 14, static_cast<std::uint32_t>(bits));
    bytes::PutLe32(h + 16, compression);
    bytes::PutLe32(h + 32, colours);
    if (header_size >= 52)
      for (std::size_t i = 0; i < masks.size(); ++i) bytes::PutLe32(h + 40 + 4 * i, masks[i]);
  }
  if (header_size == 40)
    for (std::uint32_t m : masks) bytes::AppendLe32(f, m);
  const std::size_t entry = header_size == 12 ? 3 : 4;
  const std::uint32_t entries = bits <= 8 ? (colours ? colours : (1u << bits)) : 0;
  for (std::uint32_t i = 0; i < entries; ++i)
    for (std::size_t k = 0; k < entry; ++k) f.push_back(static_cast<std::uint8_t>(i * 10 + k));
  bytes::PutLe32(f.data() + 10, static_cast<std::uint32_t>(f.size()));
  f.insert(f.end(), pixels.begin(), pixels.end());
  bytes::PutLe32(f.data() + 2, static_cast<std::uint32_t>(f.size()));
  return f;
}

TEST(BmpReaderTest, ReadsWhatCaptureDriversWrite) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    Color top_left;
    Color bottom_right;
  };
  const std::vector<Case> cases = {
      {"24-bit top-down", Handmade(40, 2, -2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}),
       MakeColor(3, 2, 1), MakeColor(12, 11, 10)},
      {"24-bit bottom-up", Handmade(40, 2, 2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}),
       MakeColor(9, 8, 7), MakeColor(6, 5, 4)},
      {"16-bit 5-5-5", Handmade(40, 1, 1, 16, 0, {}, {0x00, 0x7C, 0, 0}), MakeColor(255, 0, 0),
       MakeColor(255, 0, 0)},
      {"16-bit 5-6-5 bitfields", Handmade(40, 1, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0, 0}),
       MakeColor(0, 255, 0), MakeColor(0, 255, 0)},
      {"32-bit", Handmade(40, 1, 1, 32, 0, {}, {30, 20, 10, 0}), MakeColor(10, 20, 30),
       MakeColor(10, 20, 30)},
      {"32-bit red-in-low-byte bitfields",
       Handmade(40, 1, 1, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {30, 20, 10, 0}), MakeColor(30, 20, 10),
       MakeColor(30, 20, 10)},
      {"V5 header with masks inside", Handmade(124, 1, 1, 32, 3, {0xFF0000, 0xFF00, 0xFF}, {30, 20, 10, 0}),
       MakeColor(10, 20, 30), MakeColor(10, 20, 30)},
      {"8-bit with 3 colours", Handmade(40, 2, 1, 8, 0, {}, {2, 1, 0, 0}, 3), MakeColor(22, 21, 20),
       MakeColor(12, 11, 10)},
      {"core header, 4 bits", Handmade(12, 2, 1, 4, 0, {}, {0x10, 0, 0, 0}), MakeColor(12, 11, 10),
       MakeColor(2, 1, 0)},
      {"last row without its padding", Handmade(40, 1, 2, 24, 0, {}, {1, 2, 3, 0, 4, 5, 6}),
       MakeColor(6, 5, 4), MakeColor(3, 2, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Dib dib = ReadBmp(c.file);
    const DibView v = dib.View();
    EXPECT_EQ(v.Pixel(0, 0), c.top_left);
    EXPECT_EQ(v.Pixel(v.width - 1, v.height - 1), c.bottom_right);
  }
}

TEST(BmpReaderTest, AnythingElseIsNotAValidBitmap) {
  const std::vector<std::uint8_t> good = Handmade(40, 2, 2, 24, 0, {}, std::vector<std::uint8_t>(16, 0));
  std::vector<std::uint8_t> bad_magic = good;
  bad_magic[0] = 'X';
  std::vector<std::uint8_t> truncated(good.begin(), good.end() - 6);
  std::vector<std::uint8_t> odd_header = good;
  bytes::PutLe32(odd_header.data() + 14, 20);
  const std::vector<std::vector<std::uint8_t>> cases = {
      {},
      {'B', 'M'},
      bad_magic,
      truncated,
      Handmade(40, 2, -2, 8, 1, {}, std::vector<std::uint8_t>(16, 0)),  // RLE8 cannot be top-down
      Handmade(40, 2, 2, 24, 1, {}, std::vector<std::uint8_t>(16, 0)),  // nor 24-bit
      Handmade(40, 8, 1, 8, 1, {}, {0, 5, 1}),                          // absolute run cut short
      Handmade(40, 2, 2, 2, 0, {}, std::vector<std::uint8_t>(16, 0)),   // no such depth
      Handmade(40, 0, 2, 24, 0, {}, {}),
      Handmade(40, 2, 0, 24, 0, {}, {}),
      Handmade(40, 0x7FFFFFFF, 0x7FFFFFFF, 24, 0, {},
               std::vector<std::uint8_t>(64, 0)),                         // claims more than it holds
      Handmade(40, 1, 1, 16, 3, {0, 0, 0}, {0, 0, 0, 0}),                 // empty masks
      Handmade(40, 1, 1, 16, 3, {0xF0F0, 0x0F00, 0x000F}, {0, 0, 0, 0}),  // mask with a hole
      odd_header,
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    try {
      ReadBmp(cases[i]);
      ADD_FAILURE() << "case " << i << " was read";
    } catch (const OutputError& e) {
      EXPECT_STREQ(e.what(), kBitmapNotValid) << "case " << i;
    }
  }
}

TEST(BmpReaderTest, RunLengthEncodedPixelsAreExpanded) {
  // Bottom row: a run of 3 x index 1, an absolute run 2 3 4, end of line;
  // top row: a delta of 2 right, then index 5, end of bitmap.
  const Dib rle8 =
      ReadBmp(Handmade(40, 6, 2, 8, 1, {}, {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 1, 5, 0, 1}, 8));
  const DibView v8 = rle8.View();
  EXPECT_EQ(std::vector<std::uint8_t>(v8.Row(1), v8.Row(1) + 6),
            (std::vector<std::uint8_t>{1, 1, 1, 2, 3, 4}));
  EXPECT_EQ(std::vector<std::uint8_t>(v8.Row(0), v8.Row(0) + 6),
            (std::vector<std::uint8_t>{0, 0, 5, 0, 0, 0}));
  // Four bits: a run of 5 alternating 7 and 8, then an absolute run 9 A B.
  const Dib rle4 = ReadBmp(Handmade(40, 8, 1, 4, 2, {}, {5, 0x78, 0, 3, 0x9A, 0xB0, 0, 1}));
  EXPECT_EQ(std::vector<std::uint8_t>(rle4.bits.begin(), rle4.bits.begin() + 4),
            (std::vector<std::uint8_t>{0x78, 0x78, 0x79, 0xAB}));
}

// The message a reader gave for the file, or "" when it was read.
std::string RefusalOf(const std::vector<std::uint8_t>& file) {
  try {
    ReadBmp(file);
  } catch (const OutputError& e) {
    return e.what();
  }
  return "";
}

TEST(BmpReaderTest, PicturesBeyondTheSizeRuleAreRefusedBeforeAllocating) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    std::int64_t width, height;
  };
  // An end-of-bitmap escape is all the RLE data needs: the size is checked
  // before anything is decoded.
  const std::vector<std::uint8_t> end_of_bitmap = {0, 1};
  const std::vector<Case> cases = {
      {"24-bit, all its pixels present, wider than 65535",
       Handmade(40, 70000, 1, 24, 0, {}, std::vector<std::uint8_t>(DibStride(70000, 24), 0)), 70000, 1},
      {"RLE8 one pixel wider than the rule", Handmade(40, 65536, 1, 8, 1, {}, end_of_bitmap), 65536, 1},
      {"RLE8 taller than the rule", Handmade(40, 1, 100000, 8, 1, {}, end_of_bitmap), 1, 100000},
      {"RLE4 with more than 2^28 pixels", Handmade(40, 20000, 20000, 4, 2, {}, end_of_bitmap), 20000, 20000},
      {"RLE8 of 65535 x 65535", Handmade(40, 65535, 65535, 8, 1, {}, end_of_bitmap), 65535, 65535},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RefusalOf(c.file), PictureTooLargeMessage(c.width, c.height));
  }
}

// Uncompressed rows have a fixed size, so a file is measured against what
// its header claims: up to a quarter may be missing (a cut-off transfer,
// shown with the missing rows black), more is refused.
TEST(BmpReaderTest, ShortFilesLoadBlackOnlyWhenMostPixelsArePresent) {
  constexpr int kSide = 100;
  const std::size_t stride = DibStride(kSide, 24);  // 300
  std::vector<std::uint8_t> pixels(stride * kSide);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 251 + 1);
  const std::vector<std::uint8_t> whole = Handmade(40, kSide, kSide, 24, 0, {}, pixels);
  const std::size_t header = whole.size() - pixels.size();
  struct Case {
    std::size_t present;
    bool loads;
  };
  const Case cases[] = {
      {pixels.size() - 1, true},
      {pixels.size() - stride, true},
      {pixels.size() - 1000, true},
      {pixels.size() - pixels.size() / 4, true},
      {pixels.size() - pixels.size() / 4 - 1, false},
      {pixels.size() / 2, false},
      {3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.present << " of " << pixels.size() << " bytes");
    const std::vector<std::uint8_t> file(whole.begin(),
                                         whole.begin() + static_cast<long>(header + c.present));
    if (!c.loads) {
      EXPECT_EQ(RefusalOf(file), kBitmapNotValid);
      continue;
    }
    const Dib dib = ReadBmp(file);
    const DibView v = dib.View();
    // The first stored row is the bottom one: it is all there.
    EXPECT_EQ(v.Pixel(0, kSide - 1), MakeColor(3, 2, 1));
    // The last stored byte present, then black after it.
    const std::size_t last = c.present - 1;
    const int y = kSide - 1 - static_cast<int>(last / stride);
    const int x = static_cast<int>(last % stride) / 3;
    EXPECT_NE(v.Row(y)[last % stride], 0);
    EXPECT_EQ(v.Row(0)[stride - 1], 0);
    if (x + 1 < kSide) {
      EXPECT_EQ(v.Pixel(x + 1, y), 0u);
    }
  }
}

// A run past the right edge is clipped; a delta past an edge is refused,
// so no chain of deltas can carry the position outside the bitmap (8.5
// million deltas of 255 once wrapped it to a negative x, written before
// the row).
TEST(BmpReaderTest, RunsPastTheEdgeAreClippedAndDeltasPastItRefused) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> rle;
    std::vector<std::uint8_t> bottom, top;  // 4 pixels each; both empty: refused
  };
  const std::vector<Case> cases = {
      {"run past the right edge", {255, 9, 0, 0, 1, 3, 0, 1}, {9, 9, 9, 9}, {3, 0, 0, 0}},
      {"absolute run past the edge keeps its bytes aligned",
       {0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 1, 6, 0, 1},
       {1, 2, 3, 4},
       {6, 0, 0, 0}},
      {"deltas add up within the row",
       {1, 4, 0, 2, 1, 0, 0, 2, 1, 0, 1, 5, 0, 1},
       {4, 0, 0, 5},
       {0, 0, 0, 0}},
      {"delta to the right edge leaves no room in the row",
       {1, 4, 0, 2, 3, 0, 1, 7, 0, 0, 1, 3, 0, 1},
       {4, 0, 0, 0},
       {3, 0, 0, 0}},
      {"delta up and right", {1, 4, 0, 2, 1, 1, 1, 8, 0, 1}, {4, 0, 0, 0}, {0, 0, 8, 0}},
      {"delta past the right edge", {1, 4, 0, 2, 4, 0, 1, 7, 0, 1}, {}, {}},
      {"delta of 255 in a narrow row", {0, 2, 255, 0, 1, 7, 0, 1}, {}, {}},
      {"delta past the top", {1, 4, 0, 2, 0, 3, 1, 8, 0, 1}, {}, {}},
      {"delta cut short", {1, 4, 0, 2, 1}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> file = Handmade(40, 4, 2, 8, 1, {}, c.rle, 16);
    if (c.bottom.empty()) {
      EXPECT_EQ(RefusalOf(file), kBitmapNotValid);
      continue;
    }
    const Dib dib = ReadBmp(file);
    const DibView v = dib.View();
    EXPECT_EQ(std::vector<std::uint8_t>(v.Row(1), v.Row(1) + 4), c.bottom);
    EXPECT_EQ(std::vector<std::uint8_t>(v.Row(0), v.Row(0) + 4), c.top);
  }
}

TEST(DibTest, BitmapsWhoseBufferCannotBeAddressedThrow) {
  struct Case {
    const char* what;
    std::int64_t width, height;
    int bits;
    std::uint64_t limit;
    bool fits;
    std::uint64_t bytes;
  };
  const Case cases[] = {
      {"small", 13, 5, 4, kMaxBufferBytes, true, 8 * 5},
      {"widest 32-bit row", INT_MAX, 1, 32, kMaxBufferBytes, true, std::uint64_t{INT_MAX} * 4},
      {"6 GiB on a 64-bit build", 65536, 32768, 24, kMaxBufferBytes, true, std::uint64_t{196608} * 32768},
      {"6 GiB past the 32-bit build's 2 GiB", 65536, 32768, 24, 0x7FFFFFFF, false, 0},
      {"a product that wraps 32 bits to a small size", 65536, 65536, 8, 0xFFFFFFFF, false, 0},
      {"negative", -1, 5, 8, kMaxBufferBytes, false, 0},
      {"no such depth", 5, 5, 0, kMaxBufferBytes, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto layout = DibLayoutFor(c.width, c.height, c.bits, c.limit);
    ASSERT_EQ(layout.has_value(), c.fits);
    if (c.fits) {
      EXPECT_EQ(layout->byte_size, c.bytes);
    }
  }
  // 2^31 x 2^31 x 32 bits is 2^66 bytes: refused, never wrapped to 0.
  EXPECT_THROW(Dib::Make(INT_MAX, INT_MAX, 32), std::length_error);
  // A view of a size Raster cannot hold is refused before a pixel is read.
  DibView huge;
  huge.width = 1500000000;
  huge.height = 1;
  huge.bit_count = 8;
  EXPECT_THROW(ToRaster(huge), std::length_error);
}

TEST(BmpTest, SaveAndLoadThroughAFileWithAChineseName) {
  test::TempFolder folder;
  const std::filesystem::path path = folder / "截图1.bmp";
  const Raster picture = test::PhotoLike(31, 17);
  SaveBitmapAsBmp(path, picture);
  EXPECT_TRUE(ToRaster(LoadBmpFile(path).View()).SamePixels(picture));
}

}  // namespace
}  // namespace ksv
