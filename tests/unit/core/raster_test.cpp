#include "core/raster.h"

#include <gtest/gtest.h>

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
