#include "editor/display_scaler.h"

#include <gtest/gtest.h>

#include "core/random.h"
#include "editor/zoom.h"

namespace ksv::editor {
namespace {

Raster Noise(int width, int height, std::uint32_t seed) {
  SetRandomSeed(seed);
  Raster r(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) r.SetPixel(x, y, MakeColor(Random(256), Random(256), Random(256)));
  return r;
}

Raster Whole(const Raster& picture, Size displayed) {
  Raster out;
  ScaleForDisplay(picture, displayed, Rect::FromOriginSize({0, 0}, displayed), out);
  return out;
}

TEST(DisplayScalerTest, SameSizeShowsThePictureUnchanged) {
  const Raster picture = Noise(37, 23, 1);
  EXPECT_TRUE(Whole(picture, {37, 23}).SamePixels(picture));
}

TEST(DisplayScalerTest, EnlargingKeepsPixelsSharp) {
  const Raster picture = Noise(16, 9, 2);
  const Raster out = Whole(picture, {48, 27});  // x3
  ASSERT_EQ(out.Width(), 48);
  ASSERT_EQ(out.Height(), 27);
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 48; ++x) ASSERT_EQ(out.Pixel(x, y), picture.Pixel(x / 3, y / 3)) << x << "," << y;
}

TEST(DisplayScalerTest, EnlargedPixelIsTheOneAReadoutNames) {
  const Raster picture = Noise(800, 600, 3);
  const Size displayed{1000, 750};
  const Raster out = Whole(picture, displayed);
  for (Point p : {Point{0, 0}, Point{4, 5}, Point{513, 377}, Point{999, 749}}) {
    const Point src = ViewToPicture(p, displayed, {800, 600});
    EXPECT_EQ(out.Pixel(p.x, p.y), picture.Pixel(src.x, src.y)) << p;
  }
}

TEST(DisplayScalerTest, HalvingAveragesEachBlockOfFour) {
  Raster picture(4, 2);
  picture.SetPixel(0, 0, MakeColor(0, 0, 0));
  picture.SetPixel(1, 0, MakeColor(100, 40, 255));
  picture.SetPixel(0, 1, MakeColor(200, 40, 255));
  picture.SetPixel(1, 1, MakeColor(100, 40, 255));
  picture.SetPixel(2, 0, MakeColor(1, 1, 1));
  picture.SetPixel(3, 0, MakeColor(2, 2, 2));
  picture.SetPixel(2, 1, MakeColor(2, 2, 2));
  picture.SetPixel(3, 1, MakeColor(2, 2, 2));
  const Raster out = Whole(picture, {2, 1});
  EXPECT_EQ(out.Pixel(0, 0), MakeColor(100, 30, 191));  // 191.25
  EXPECT_EQ(out.Pixel(1, 0), MakeColor(2, 2, 2));       // 1.75 rounds up
}

TEST(DisplayScalerTest, PartialPixelsCountByTheirShare) {
  // Three pixels over two: each display pixel covers one and a half.
  Raster picture(3, 1);
  picture.SetPixel(0, 0, MakeColor(0, 0, 0));
  picture.SetPixel(1, 0, MakeColor(90, 90, 90));
  picture.SetPixel(2, 0, MakeColor(240, 240, 240));
  const Raster out = Whole(picture, {2, 1});
  EXPECT_EQ(out.Pixel(0, 0), MakeColor(30, 30, 30));     // (0 + 0.5 * 90) / 1.5
  EXPECT_EQ(out.Pixel(1, 0), MakeColor(190, 190, 190));  // (0.5 * 90 + 240) / 1.5
}

struct FlatCase {
  Size picture;
  Size displayed;
};

class FlatAreaTest : public testing::TestWithParam<FlatCase> {};

// Rounding of the weights must never tint a flat area, however strong the
// shrinking.
TEST_P(FlatAreaTest, StaysExactlyFlat) {
  const Color c = MakeColor(255, 128, 1);
  const Raster out =
      Whole(Raster(GetParam().picture.width, GetParam().picture.height, c), GetParam().displayed);
  ASSERT_EQ(out.Width(), GetParam().displayed.width);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) ASSERT_EQ(out.Pixel(x, y), c) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, FlatAreaTest,
                         testing::Values(FlatCase{{1920, 1080}, {1536, 864}}, FlatCase{{1920, 1080}, {7, 3}},
                                         FlatCase{{3840, 5}, {1, 1}}, FlatCase{{1000, 10}, {999, 40}},
                                         FlatCase{{10, 1000}, {40, 333}}));

struct RegionCase {
  const char* name;
  Size picture;
  Size displayed;
  Rect visible;
};

class VisibleRegionTest : public testing::TestWithParam<RegionCase> {};

// Drawing only the visible part must give exactly the pixels that part has
// in the whole scaled picture, or scrolling would show seams.
TEST_P(VisibleRegionTest, MatchesTheSamePartOfTheWholeDisplay) {
  const RegionCase& c = GetParam();
  const Raster picture = Noise(c.picture.width, c.picture.height, 4);
  const Raster whole = Whole(picture, c.displayed);
  Raster part;
  ScaleForDisplay(picture, c.displayed, c.visible, part);
  ASSERT_EQ(part.Width(), c.visible.Width()) << c.name;
  ASSERT_EQ(part.Height(), c.visible.Height()) << c.name;
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x)
      ASSERT_EQ(part.Pixel(x, y), whole.Pixel(c.visible.left + x, c.visible.top + y))
          << c.name << " " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VisibleRegionTest,
    testing::Values(RegionCase{"enlarged", {200, 150}, {250, 187}, {33, 17, 201, 150}},
                    RegionCase{"shrunk", {200, 150}, {160, 120}, {41, 7, 159, 88}},
                    RegionCase{"wider, lower", {200, 150}, {311, 70}, {100, 10, 300, 69}},
                    RegionCase{"narrower, higher", {200, 150}, {90, 401}, {3, 200, 90, 400}},
                    RegionCase{"one pixel", {200, 150}, {123, 45}, {60, 20, 61, 21}}),
    [](const testing::TestParamInfo<RegionCase>& info) { return "case" + std::to_string(info.index); });

TEST(DisplayScalerTest, RegionIsClippedToTheDisplay) {
  const Raster picture = Noise(20, 20, 5);
  Raster out;
  ScaleForDisplay(picture, {40, 40}, {30, -5, 60, 10}, out);
  EXPECT_EQ(out.Width(), 10);
  EXPECT_EQ(out.Height(), 10);
  ScaleForDisplay(picture, {40, 40}, {50, 50, 60, 60}, out);
  EXPECT_TRUE(out.Empty());
  ScaleForDisplay(Raster(), {40, 40}, {0, 0, 40, 40}, out);
  EXPECT_TRUE(out.Empty());
  ScaleForDisplay(picture, {0, 0}, {0, 0, 40, 40}, out);
  EXPECT_TRUE(out.Empty());
}

TEST(DisplayScalerTest, ReusesTheOutputBufferOfTheRightSize) {
  const Raster picture = Noise(50, 50, 6);
  Raster out;
  ScaleForDisplay(picture, {100, 100}, {0, 0, 64, 48}, out);
  const std::uint8_t* buffer = out.Bits();
  ScaleForDisplay(picture, {100, 100}, {10, 10, 74, 58}, out);
  EXPECT_EQ(out.Bits(), buffer);
  // A shared output is not written through: the other copy keeps its pixels.
  const Raster kept = out;
  ScaleForDisplay(picture, {100, 100}, {30, 30, 94, 78}, out);
  EXPECT_FALSE(out.SharesPixelsWith(kept));
  Raster again;
  ScaleForDisplay(picture, {100, 100}, {10, 10, 74, 58}, again);
  EXPECT_TRUE(kept.SamePixels(again));
}

}  // namespace
}  // namespace ksv::editor
