#include "core/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace ksv {
namespace {

TEST(RasterTest, NewRasterIsBlackWithAlignedRows) {
  Raster r(5, 3);
  EXPECT_EQ(r.Width(), 5);
  EXPECT_EQ(r.Height(), 3);
  EXPECT_EQ(r.Stride(), 16);  // 15 bytes rounded up to a multiple of 4
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(r.Pixel(x, y), 0u);
}

TEST(RasterTest, PixelsAreBlueGreenRedTopDown) {
  Raster r(2, 2);
  r.SetPixel(1, 0, MakeColor(10, 20, 30));  // red 10, green 20, blue 30
  const std::uint8_t* row0 = r.Row(0);
  EXPECT_EQ(row0[3], 30);
  EXPECT_EQ(row0[4], 20);
  EXPECT_EQ(row0[5], 10);
  EXPECT_EQ(r.Pixel(1, 0), 0x001E140Au);
  EXPECT_EQ(r.Pixel(1, 1), 0u);  // y = 0 is the top row; row 1 untouched
}

TEST(RasterTest, EmptyAndNegativeSizes) {
  EXPECT_TRUE(Raster().Empty());
  EXPECT_TRUE(Raster(0, 10).Empty());
  Raster neg(-3, 4);
  EXPECT_TRUE(neg.Empty());
  EXPECT_EQ(neg.Width(), 0);
  EXPECT_EQ(neg.ByteSize(), 0u);
  neg.Fill(MakeColor(1, 2, 3));  // must not touch memory
}

// Stride and byte size are worked out in 64 bits: a width of 1.5 billion
// once wrapped the int stride, and the buffer came out smaller than the
// rows written into it.
TEST(RasterTest, LayoutRefusesSizesThatWouldOverflow) {
  struct Case {
    const char* what;
    std::int64_t width, height;
    std::uint64_t limit;
    bool fits;
    int stride;
    std::uint64_t bytes;
  };
  constexpr std::uint64_t k32BitLimit = 0x7FFFFFFF;  // PTRDIFF_MAX there
  const Case cases[] = {
      {"small", 5, 3, kMaxBufferBytes, true, 16, 48},
      {"empty", 0, 0, kMaxBufferBytes, true, 0, 0},
      {"widest int stride", 715827881, 1, kMaxBufferBytes, true, 2147483644, 2147483644},
      {"one pixel more wraps the int stride", 715827882, 1, kMaxBufferBytes, false, 0, 0},
      {"1.5 billion wide", 1500000000, 1, kMaxBufferBytes, false, 0, 0},
      {"6 GiB on a 64-bit build", 65536, 32768, kMaxBufferBytes, true, 196608, std::uint64_t{196608} * 32768},
      {"6 GiB on the 32-bit build", 65536, 32768, k32BitLimit, false, 0, 0},
      {"just under 2 GiB on the 32-bit build", 65536, 10922, k32BitLimit, true, 196608,
       std::uint64_t{196608} * 10922},
      {"one row more", 65536, 10923, k32BitLimit, false, 0, 0},
      {"negative", -4, 4, kMaxBufferBytes, false, 0, 0},
      {"wider than an int", std::int64_t{INT_MAX} + 1, 1, kMaxBufferBytes, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<RasterLayout> layout = RasterLayoutFor(c.width, c.height, c.limit);
    ASSERT_EQ(layout.has_value(), c.fits);
    if (!c.fits) continue;
    EXPECT_EQ(layout->stride, c.stride);
    EXPECT_EQ(layout->byte_size, c.bytes);
  }
}

TEST(RasterTest, SizesThatCannotBeAddressedThrowInsteadOfGivingASmallerRaster) {
  const std::pair<int, int> sizes[] = {{1500000000, 1}, {715827882, 1}, {INT_MAX, INT_MAX}, {1500000000, 3}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    EXPECT_THROW(Raster(w, h), std::length_error);
    EXPECT_THROW(Raster(w, h, MakeColor(1, 2, 3)), std::length_error);
  }
}

TEST(RasterTest, CopySharesUntilWritten) {
  Raster a(4, 4, MakeColor(1, 2, 3));
  Raster b = a;
  EXPECT_TRUE(a.SharesPixelsWith(b));
  const std::uint8_t* before = a.Bits();
  b.SetPixel(0, 0, MakeColor(255, 0, 0));
  EXPECT_FALSE(a.SharesPixelsWith(b));
  EXPECT_EQ(a.Bits(), before);  // the original keeps its buffer
  EXPECT_EQ(a.Pixel(0, 0), MakeColor(1, 2, 3));
  EXPECT_EQ(b.Pixel(0, 0), MakeColor(255, 0, 0));
  EXPECT_EQ(b.Pixel(3, 3), MakeColor(1, 2, 3));
}

TEST(RasterTest, SoleOwnerWritesInPlace) {
  Raster a(3, 3);
  const std::uint8_t* before = a.Bits();
  a.MutableRow(1)[0] = 7;
  EXPECT_EQ(a.Bits(), before);
  {
    Raster gone = a;  // shared, then released again
  }
  a.MutableRow(2)[0] = 9;
  EXPECT_EQ(a.Bits(), before);
}

TEST(RasterTest, SamePixelsIgnoresPadding) {
  Raster a(1, 2, MakeColor(5, 6, 7));
  Raster b(1, 2, MakeColor(5, 6, 7));
  b.MutableRow(0)[3] = 99;  // padding byte
  EXPECT_TRUE(a.SamePixels(b));
  b.SetPixel(0, 1, MakeColor(5, 6, 8));
  EXPECT_FALSE(a.SamePixels(b));
  EXPECT_FALSE(a.SamePixels(Raster(2, 1, MakeColor(5, 6, 7))));
}

TEST(RasterTest, ColorChannels) {
  constexpr Color c = MakeColor(0x12, 0x34, 0x56);
  static_assert(c == 0x00563412u);
  static_assert(RedOf(c) == 0x12 && GreenOf(c) == 0x34 && BlueOf(c) == 0x56);
}

}  // namespace
}  // namespace ksv
