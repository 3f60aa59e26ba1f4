#include "editor/picture_load.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ksv::editor {
namespace {

constexpr Color kBand = MakeColor(255, 255, 0);

// A frozen screen whose pixels name their own position, with a rubber band
// drawn on the rectangle's edge rows and columns, as the overlay does.
Raster ScreenWithBand(int width, int height, Point a, Point b) {
  Raster screen(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) screen.SetPixel(x, y, MakeColor(x % 256, y % 256, 7));
  const int x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
  const int y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
  for (int x = x0; x <= x1; ++x) {
    screen.SetPixel(x, y0, kBand);
    screen.SetPixel(x, y1, kBand);
  }
  for (int y = y0; y <= y1; ++y) {
    screen.SetPixel(x0, y, kBand);
    screen.SetPixel(x1, y, kBand);
  }
  return screen;
}

TEST(RegionCutTest, GeometryLeavesTheBandOut) {
  const RegionCut cut = MakeRegionCut({300, 200}, {100, 50});
  EXPECT_EQ(cut.bitmap, (Size{200, 150}));
  EXPECT_EQ(cut.source, (Rect{101, 51, 299, 199}));  // 198 x 148 inside the band
}

TEST(RegionCutTest, EveryDragDirectionGivesTheSamePicture) {
  const Raster screen = ScreenWithBand(400, 300, {100, 50}, {300, 200});
  const Raster reference = CutRegion(screen, {100, 50}, {300, 200});
  ASSERT_EQ(reference.Width(), 200);
  ASSERT_EQ(reference.Height(), 150);
  EXPECT_TRUE(CutRegion(screen, {300, 200}, {100, 50}).SamePixels(reference));
  EXPECT_TRUE(CutRegion(screen, {300, 50}, {100, 200}).SamePixels(reference));
  EXPECT_TRUE(CutRegion(screen, {100, 200}, {300, 50}).SamePixels(reference));
}

TEST(RegionCutTest, InsideIsStretchedOverTheWholeBitmapWithoutTheBand) {
  const Raster screen = ScreenWithBand(400, 300, {100, 50}, {300, 200});
  const Raster picture = CutRegion(screen, {100, 50}, {300, 200});
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) ASSERT_NE(picture.Pixel(x, y), kBand) << x << "," << y;
  // The corners come from the corners inside the band, not a blank margin.
  EXPECT_EQ(picture.Pixel(0, 0), screen.Pixel(101, 51));
  EXPECT_EQ(picture.Pixel(199, 149), screen.Pixel(298, 198));
  // Stretched: every source column inside the band shows up somewhere.
  int distinct_columns = 1;
  for (int x = 1; x < picture.Width(); ++x)
    if (picture.Pixel(x, 10) != picture.Pixel(x - 1, 10)) ++distinct_columns;
  EXPECT_EQ(distinct_columns, 198);
}

TEST(RegionCutTest, ClickWithoutMovingGivesAnEmptyPicture) {
  const Raster screen(50, 50, MakeColor(1, 2, 3));
  EXPECT_TRUE(CutRegion(screen, {10, 10}, {10, 10}).Empty());
  EXPECT_TRUE(CutRegion(screen, {10, 10}, {40, 10}).Empty());  // no height
}

TEST(RegionCutTest, RegionsWithoutAnInsideAreCopiedFromTheCorner) {
  const Raster screen = ScreenWithBand(50, 50, {10, 10}, {12, 30});
  const Raster picture = CutRegion(screen, {12, 30}, {10, 10});  // 2 wide, 20 high
  ASSERT_EQ(picture.Width(), 2);
  ASSERT_EQ(picture.Height(), 20);
  EXPECT_EQ(picture.Pixel(0, 0), screen.Pixel(10, 11));
  EXPECT_EQ(picture.Pixel(1, 0), screen.Pixel(11, 11));
}

TEST(RegionCutTest, PixelsBeyondTheCanvasAreBlack) {
  const Raster screen(100, 100, MakeColor(9, 9, 9));
  const Raster picture = CutRegion(screen, {80, 80}, {130, 130});  // cursor on another monitor
  ASSERT_EQ(picture.Width(), 50);
  EXPECT_EQ(picture.Pixel(0, 0), MakeColor(9, 9, 9));
  EXPECT_EQ(picture.Pixel(49, 49), 0u);
}

TEST(CopyScreenTest, ScreenSizedCanvasIsSharedNotCopied) {
  const Raster canvas(64, 48, MakeColor(5, 6, 7));
  const Raster picture = CopyScreen(canvas, {64, 48});
  EXPECT_TRUE(picture.SharesPixelsWith(canvas));
}

TEST(CopyScreenTest, OtherCanvasSizesGiveAScreenSizedPicture) {
  const Raster canvas(64, 48, MakeColor(5, 6, 7));
  const Raster bigger = CopyScreen(canvas, {80, 50});
  ASSERT_EQ(bigger.Width(), 80);
  ASSERT_EQ(bigger.Height(), 50);
  EXPECT_EQ(bigger.Pixel(63, 47), MakeColor(5, 6, 7));
  EXPECT_EQ(bigger.Pixel(64, 0), 0u);
  EXPECT_EQ(bigger.Pixel(0, 48), 0u);
  const Raster smaller = CopyScreen(canvas, {32, 24});
  ASSERT_EQ(smaller.Width(), 32);
  EXPECT_EQ(smaller.Pixel(31, 23), MakeColor(5, 6, 7));
}

}  // namespace
}  // namespace ksv::editor
