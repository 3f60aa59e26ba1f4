#include "editor/view_layout.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(FormLayoutTest, DesignLayoutAndHiddenControls) {
  ViewToggles toggles;
  FormLayout layout = ComputeFormLayout({738, 482}, toggles);
  EXPECT_EQ(layout.tool_bar, (Rect{0, 0, 738, 62}));
  EXPECT_EQ(layout.status_bar, (Rect{0, 463, 738, 482}));
  EXPECT_EQ(layout.tools_panel, (Rect{0, 62, 129, 463}));
  EXPECT_EQ(layout.scroll_box, (Rect{129, 62, 738, 463}));

  toggles.ClickToolBarButtons();
  toggles.ClickToolsPanel();
  toggles.ClickStatusBar();
  layout = ComputeFormLayout({738, 482}, toggles);
  EXPECT_TRUE(layout.tool_bar.Empty());
  EXPECT_TRUE(layout.tools_panel.Empty());
  EXPECT_TRUE(layout.status_bar.Empty());
  EXPECT_EQ(layout.scroll_box, (Rect{0, 0, 738, 482}));
}

struct CenterCase {
  const char* name;
  Size displayed;
  Point expected;
};

class CenterPictureTest : public testing::TestWithParam<CenterCase> {};

// Design client area 738 x 482: the scroll box is 609 x 401.
TEST_P(CenterPictureTest, PlacesThePicture) {
  const CenterCase& c = GetParam();
  EXPECT_EQ(CenterPicturePosition(c.displayed, {609, 401}, ViewMetrics{}), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CenterPictureTest,
                         testing::Values(
                             // 738 div 2 - 200 = 169; (482 - 19 - 62 - 20) div 2 - 150 = 40.
                             CenterCase{"small picture, right of the box's centre", {400, 300}, {169, 40}},
                             CenterCase{"odd sizes truncate", {401, 301}, {169, 40}},
                             CenterCase{"as wide as the box", {609, 100}, {0, 0}},
                             CenterCase{"as high as the box", {100, 401}, {0, 0}},
                             CenterCase{"larger both ways", {1280, 1024}, {0, 0}},
                             // 190 - 195 would put five rows above the box, out of reach;
                             // 69 would push 60 columns past its right edge.
                             CenterCase{"nearly as large as the box", {600, 390}, {9, 0}},
                             // 369 - 251 = 118 reaches 620, past the box's 609.
                             CenterCase{"wide picture kept inside the box", {502, 100}, {107, 140}}),
                         [](const testing::TestParamInfo<CenterCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

struct BarsCase {
  Size extent;
  bool horizontal;
  bool vertical;
  Size viewport;
};

class ScrollBarsTest : public testing::TestWithParam<BarsCase> {};

TEST_P(ScrollBarsTest, ShowsTheBarsTheExtentNeeds) {
  const BarsCase& c = GetParam();
  const ScrollBars bars = ResolveScrollBars({609, 401}, c.extent, ViewMetrics{});
  EXPECT_EQ(bars.horizontal, c.horizontal) << c.extent;
  EXPECT_EQ(bars.vertical, c.vertical) << c.extent;
  EXPECT_EQ(bars.viewport, c.viewport) << c.extent;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollBarsTest,
    testing::Values(BarsCase{{609, 401}, false, false, {609, 401}},  // fits exactly
                    BarsCase{{610, 300}, true, false, {609, 384}},
                    BarsCase{{300, 402}, false, true, {592, 401}},
                    BarsCase{{600, 402}, true, true, {592, 384}},  // vertical bar narrows
                    BarsCase{{610, 390}, true, true, {592, 384}},  // horizontal bar lowers
                    BarsCase{{2000, 2000}, true, true, {592, 384}}));

class ScrollViewTest : public testing::Test {
 protected:
  const Size displayed_{1000, 800};
  ScrollView view_;
  void SetUp() override { view_.SetViewport({400, 300}, displayed_); }
};

TEST_F(ScrollViewTest, ScrollingIsClampedToTheRange) {
  EXPECT_EQ(view_.MaxScroll(displayed_), (Point{600, 500}));
  view_.ScrollTo({700, -5}, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{600, 0}));
  EXPECT_EQ(view_.PicturePosition(), (Point{-600, 0}));
  view_.ScrollBy({-50, 20}, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{550, 20}));
}

TEST_F(ScrollViewTest, WheelScrollsOneLineByTheSignOfTheDelta) {
  view_.Wheel(-120, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, ScrollView::kLineStep}));
  view_.Wheel(-1, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 2 * ScrollView::kLineStep}));
  view_.Wheel(120, displayed_);
  view_.Wheel(0, displayed_);  // zero counts as up
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 0}));
  view_.Wheel(120, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 0}));
  view_.ScrollTo({0, 495}, displayed_);
  view_.Wheel(-120, displayed_);
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 500}));
}

TEST_F(ScrollViewTest, PlacingResetsTheScrollOrigin) {
  view_.ScrollTo({100, 100}, displayed_);
  view_.PlacePicture({0, 0});
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 0}));
  EXPECT_EQ(view_.PicturePosition(), (Point{0, 0}));
  view_.PlacePicture({30, 40});
  EXPECT_EQ(view_.Extent(displayed_), (Size{1030, 840}));
}

TEST_F(ScrollViewTest, ShrinkingTheDisplayPullsTheScrollPositionBack) {
  view_.ScrollTo({600, 500}, displayed_);
  view_.Clamp({500, 400});
  EXPECT_EQ(view_.ScrollPosition(), (Point{100, 100}));
  view_.SetViewport({600, 500}, {500, 400});
  EXPECT_EQ(view_.ScrollPosition(), (Point{0, 0}));
}

TEST_F(ScrollViewTest, HandMovesThePictureAndItsRange) {
  view_.MovePicture({-100, 25}, displayed_);
  EXPECT_EQ(view_.PicturePosition(), (Point{-100, 25}));
  EXPECT_EQ(view_.Extent(displayed_), (Size{900, 825}));
  // A point of the box is measured on the moved control.
  EXPECT_EQ(view_.BoxToView({0, 25}), (Point{100, 0}));
}

TEST_F(ScrollViewTest, VisiblePartIsTheViewportOnThePicture) {
  EXPECT_EQ(view_.VisibleDisplayRect(displayed_), (Rect{0, 0, 400, 300}));
  view_.ScrollTo({250, 100}, displayed_);
  EXPECT_EQ(view_.VisibleDisplayRect(displayed_), (Rect{250, 100, 650, 400}));
  ScrollView small;
  small.SetViewport({400, 300}, {100, 50});
  small.PlacePicture({150, 120});
  EXPECT_EQ(small.VisibleDisplayRect({100, 50}), (Rect{0, 0, 100, 50}));
  small.PlacePicture({350, 280});  // partly beyond the viewport
  EXPECT_EQ(small.VisibleDisplayRect({100, 50}), (Rect{0, 0, 50, 20}));
  small.PlacePicture({500, 500});
  EXPECT_TRUE(small.VisibleDisplayRect({100, 50}).Empty());
}

}  // namespace
}  // namespace ksv::editor
