#include "editor/window_sizing.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(WindowSizingTest, FullScreenCaptureMakesTheWindowScreenSized) {
  EXPECT_EQ(FullScreenWindowSize({1280, 1024}), (Size{1280, 1024}));
}

TEST(WindowSizingTest, RegionWindowIsTheSameForEveryDragDirection) {
  // 200 x 150 region: 200 + 55 + 129 wide, 150 + 62 + 3 * 19 + 75 high.
  const Size expected{384, 344};
  EXPECT_EQ(RegionWindowSize({100, 50}, {300, 200}), expected);
  EXPECT_EQ(RegionWindowSize({300, 200}, {100, 50}), expected);
  EXPECT_EQ(RegionWindowSize({300, 50}, {100, 200}), expected);
  EXPECT_EQ(RegionWindowSize({100, 200}, {300, 50}), expected);
}

TEST(WindowSizingTest, PictureWindowCountsTheStatusBarTwice) {
  EXPECT_EQ(PictureWindowSize({400, 300}), (Size{584, 475}));
  EXPECT_EQ(PictureWindowSize({2000, 100}), (Size{2184, 275}));
}

TEST(WindowSizingTest, ScaledControlsChangeTheAllowances) {
  const FormMetrics big{200, 100, 30};
  EXPECT_EQ(PictureWindowSize({400, 300}, big), (Size{400 + 55 + 200, 300 + 100 + 60 + 75}));
  EXPECT_EQ(RegionWindowSize({0, 0}, {10, 10}, big), (Size{10 + 55 + 200, 10 + 100 + 90 + 75}));
}

struct MinimumCase {
  Size window;
  Size expected;
};

class MinimumWindowTest : public testing::TestWithParam<MinimumCase> {};

TEST_P(MinimumWindowTest, RaisesToExactlyTheMinimum) {
  EXPECT_EQ(ApplyMinimumWindowSize(GetParam().window), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MinimumWindowTest,
                         testing::Values(MinimumCase{{384, 344}, {746, 536}},   // small region
                                         MinimumCase{{584, 475}, {746, 536}},   // 400 x 300 window
                                         MinimumCase{{2184, 275}, {746, 536}},  // wide, too low: narrowed too
                                         MinimumCase{{745, 900}, {746, 536}},   // a pixel too narrow
                                         MinimumCase{{746, 536}, {746, 536}},   // exactly the minimum
                                         MinimumCase{{1280, 1024}, {1280, 1024}}  // big enough
                                         ));

struct WorkAreaCase {
  const char* name;
  Rect window;
  Rect work_area;
  Rect expected;
};

class WorkAreaTest : public testing::TestWithParam<WorkAreaCase> {};

TEST_P(WorkAreaTest, KeepsTheWholeWindowInside) {
  const WorkAreaCase& c = GetParam();
  EXPECT_EQ(KeepInsideWorkArea(c.window, c.work_area), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkAreaTest,
    testing::Values(
        WorkAreaCase{"fits", {100, 100, 900, 700}, {0, 0, 1920, 1040}, {100, 100, 900, 700}},
        WorkAreaCase{
            "past the right edge", {1500, 100, 2300, 700}, {0, 0, 1920, 1040}, {1120, 100, 1920, 700}},
        WorkAreaCase{"past the top left", {-50, -30, 750, 570}, {0, 0, 1920, 1040}, {0, 0, 800, 600}},
        WorkAreaCase{"full-screen capture above the taskbar",
                     {0, 0, 1920, 1080},
                     {0, 0, 1920, 1040},
                     {0, 0, 1920, 1040}},
        WorkAreaCase{"wider than the screen", {300, 200, 2484, 475}, {0, 0, 1920, 1040}, {0, 200, 1920, 475}},
        WorkAreaCase{"monitor left of the primary",
                     {-1000, 100, -200, 700},
                     {-1920, 0, 0, 1040},
                     {-1000, 100, -200, 700}},
        WorkAreaCase{
            "spills onto the next monitor", {-300, 100, 500, 700}, {-1920, 0, 0, 1040}, {-800, 100, 0, 700}},
        WorkAreaCase{"no monitor information", {5, 5, 50, 50}, {}, {5, 5, 50, 50}}),
    [](const testing::TestParamInfo<WorkAreaCase>& info) { return "case" + std::to_string(info.index); });

TEST(WindowSizingTest, ShowingAppliesTheMinimumThenTheWorkArea) {
  // A 2000 x 100 capture: raised to the minimum, position kept.
  EXPECT_EQ(FormShowWindowRect({10, 20, 2194, 295}, {0, 0, 1920, 1040}), (Rect{10, 20, 756, 556}));
  // A full-screen capture: big enough, but pulled in above the taskbar.
  EXPECT_EQ(FormShowWindowRect({0, 0, 1280, 1024}, {0, 0, 1280, 984}), (Rect{0, 0, 1280, 984}));
  // A screen smaller than the minimum: the work area wins.
  EXPECT_EQ(FormShowWindowRect({0, 0, 100, 100}, {0, 0, 640, 480}), (Rect{0, 0, 640, 480}));
}

}  // namespace
}  // namespace ksv::editor
