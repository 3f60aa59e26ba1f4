#include "editor/zoom.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(ZoomTest, StartsAtActualSizeFollowingThePicture) {
  Zoom zoom;
  EXPECT_FALSE(zoom.Zoomed());
  EXPECT_EQ(zoom.Displayed({800, 600}), (Size{800, 600}));
  EXPECT_EQ(zoom.Displayed({30, 20}), (Size{30, 20}));
  EXPECT_TRUE(zoom.EnlargeButtonEnabled());
  EXPECT_TRUE(zoom.NarrowButtonEnabled());
}

TEST(ZoomTest, StepsScaleTheCurrentDisplayedSizeAndTruncate) {
  const Size picture{800, 600};
  Zoom zoom;
  ASSERT_TRUE(zoom.Enlarge(picture));
  EXPECT_TRUE(zoom.Zoomed());
  EXPECT_EQ(zoom.Displayed(picture), (Size{1000, 750}));
  ASSERT_TRUE(zoom.Enlarge(picture));
  EXPECT_EQ(zoom.Displayed(picture), (Size{1250, 937}));
  ASSERT_TRUE(zoom.Narrow(picture));
  EXPECT_EQ(zoom.Displayed(picture), (Size{1000, 749}));
}

TEST(ZoomTest, RoundingAccumulates) {
  const Size picture{101, 101};
  Zoom zoom;
  zoom.Enlarge(picture);
  zoom.Narrow(picture);
  EXPECT_EQ(zoom.Displayed(picture), (Size{100, 100}));
}

TEST(ZoomTest, ActualSizeFollowsThePictureAgainAndKeepsTheButtons) {
  const Size picture{3300, 100};
  Zoom zoom;
  zoom.Enlarge(picture);  // 4125 wide: enlarge button off
  ASSERT_FALSE(zoom.EnlargeButtonEnabled());
  zoom.ActualSize();
  EXPECT_FALSE(zoom.Zoomed());
  EXPECT_EQ(zoom.Displayed(picture), picture);
  EXPECT_FALSE(zoom.EnlargeButtonEnabled());
}

TEST(ZoomTest, EnlargeButtonGoesOffPast4000AndOneNarrowStepBringsItBack) {
  const Size picture{800, 600};
  Zoom zoom;
  int steps = 0;
  while (zoom.EnlargeButtonEnabled()) {
    ASSERT_TRUE(zoom.Enlarge(picture));
    ++steps;
  }
  EXPECT_EQ(steps, 8);  // 800 -> 1000 -> ... -> 4765
  EXPECT_EQ(zoom.Displayed(picture).width, 4765);
  zoom.Narrow(picture);  // 3812
  EXPECT_TRUE(zoom.EnlargeButtonEnabled());
}

TEST(ZoomTest, NarrowButtonGoesOffBelow40AndEnlargingPast40BringsItBack) {
  const Size picture{60, 60};
  Zoom zoom;
  zoom.Narrow(picture);  // 48
  EXPECT_TRUE(zoom.NarrowButtonEnabled());
  zoom.Narrow(picture);  // 38
  EXPECT_FALSE(zoom.NarrowButtonEnabled());
  zoom.Enlarge(picture);  // 47
  EXPECT_TRUE(zoom.NarrowButtonEnabled());
}

TEST(ZoomTest, ScalingPageStepsGoOnBeyondTheButtonLimits) {
  const Size picture{45, 45};
  Zoom zoom;
  zoom.Narrow(picture);  // 36: toolbar button off
  ASSERT_FALSE(zoom.NarrowButtonEnabled());
  EXPECT_TRUE(zoom.Narrow(picture));  // the page's button still works
  EXPECT_EQ(zoom.Displayed(picture), (Size{28, 28}));
}

TEST(ZoomTest, EnlargingStopsBefore32000Pixels) {
  const Size picture{1000, 100};
  Zoom zoom;
  Size last;
  while (zoom.Enlarge(picture)) last = zoom.Displayed(picture);
  EXPECT_LE(last.width, Zoom::kMaxDisplayedSide);
  EXPECT_GT(last.width * 5 / 4, Zoom::kMaxDisplayedSide);
  EXPECT_EQ(zoom.Displayed(picture), last);  // the refused step changed nothing
  // The height limits too, for a tall picture whose width stays small.
  Zoom tall;
  while (tall.Enlarge({100, 1000})) {
  }
  EXPECT_LE(tall.Displayed({100, 1000}).height, Zoom::kMaxDisplayedSide);
  EXPECT_TRUE(tall.EnlargeButtonEnabled());
}

TEST(ZoomTest, RefusedEnlargeInActualSizeStaysInActualSize) {
  Zoom zoom;
  EXPECT_FALSE(zoom.Enlarge({30000, 100}));
  EXPECT_FALSE(zoom.Zoomed());
}

TEST(ZoomTest, NarrowingNeverLeavesAZeroSide) {
  const Size picture{2000, 30};
  Zoom zoom;
  while (zoom.Narrow(picture)) {
  }
  const Size last = zoom.Displayed(picture);
  EXPECT_EQ(last.height, 1);
  EXPECT_GT(last.width, 1);
  EXPECT_TRUE(zoom.Enlarge(picture));  // still recoverable
}

TEST(ZoomTest, ZoomedSizeCarriesOverToAnotherPicture) {
  Zoom zoom;
  zoom.Enlarge({800, 600});
  EXPECT_EQ(zoom.Displayed({1280, 1024}), (Size{1000, 750}));
}

TEST(ZoomTest, SetAndSwapOnlyActWhenZoomed) {
  Zoom zoom;
  zoom.SetDisplayed({5, 5});
  zoom.SwapDisplayed();
  EXPECT_EQ(zoom.Displayed({800, 600}), (Size{800, 600}));
  zoom.Enlarge({800, 600});
  zoom.SwapDisplayed();
  EXPECT_EQ(zoom.Displayed({800, 600}), (Size{750, 1000}));
  zoom.SetDisplayed({640, 480});
  EXPECT_EQ(zoom.Displayed({800, 600}), (Size{640, 480}));
}

struct MapCase {
  int d, displayed, source, expected;
};

class DisplayToSourceTest : public testing::TestWithParam<MapCase> {};

TEST_P(DisplayToSourceTest, TakesThePixelUnderTheCentre) {
  const MapCase& c = GetParam();
  EXPECT_EQ(DisplayToSource(c.d, c.displayed, c.source), c.expected)
      << c.d << " of " << c.displayed << " over " << c.source;
}

INSTANTIATE_TEST_SUITE_P(Cases, DisplayToSourceTest,
                         testing::Values(MapCase{0, 100, 100, 0}, MapCase{99, 100, 100, 99},  // 1:1
                                         MapCase{0, 200, 100, 0}, MapCase{1, 200, 100, 0},    // x2
                                         MapCase{2, 200, 100, 1}, MapCase{199, 200, 100, 99},
                                         MapCase{0, 1000, 800, 0}, MapCase{4, 1000, 800, 3},  // x1.25
                                         MapCase{5, 1000, 800, 4}, MapCase{999, 1000, 800, 799},
                                         MapCase{0, 50, 100, 1}, MapCase{49, 50, 100, 99},  // x0.5
                                         MapCase{-1, 200, 100, -1},                         // left of it
                                         MapCase{200, 200, 100, 100},                       // right of it
                                         MapCase{7, 0, 100, 0}));                           // nothing shown

TEST(ViewToPictureTest, MapsEachDirectionOnItsOwn) {
  EXPECT_EQ(ViewToPicture({10, 20}, {800, 600}, {800, 600}), (Point{10, 20}));
  EXPECT_EQ(ViewToPicture({30, 30}, {1600, 300}, {800, 600}), (Point{15, 61}));
}

}  // namespace
}  // namespace ksv::editor
