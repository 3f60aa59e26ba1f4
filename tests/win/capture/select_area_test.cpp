// The selection frame: its place, its ring-shaped window region and its
// visibility.
#include <gtest/gtest.h>

#include "capture/win/select_area_form.h"
#include "forms_fake.h"
#include "ui/gdi.h"

namespace ksv::capture {
namespace {

class SelectAreaTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.CreateForm()); }
  TSelectAreaForm form;
};

TEST_F(SelectAreaTest, RegionIsAThreePixelRingTwoInsideTheBounds) {
  form.PlaceFrame({95, 45, 405, 255});  // 310 x 210
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.left, 95);
  EXPECT_EQ(r.top, 45);
  EXPECT_EQ(r.right - r.left, 310);
  EXPECT_EQ(r.bottom - r.top, 210);
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  EXPECT_TRUE(GetWindowLongW(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  ui::Region rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form.hwnd(), rgn.get()), ERROR);
  struct Case {
    int x, y;
    bool in;
  } cases[] = {
      {0, 0, false},     {1, 1, false},     {2, 2, true},      {4, 4, true},      {5, 5, false},
      {150, 100, false}, {150, 2, true},    {150, 4, true},    {150, 5, false},   {307, 100, true},
      {305, 100, true},  {304, 100, false}, {308, 100, false}, {150, 207, true},  {150, 208, false},
      {150, 204, false}, {2, 207, true},    {307, 207, true},  {309, 209, false},
  };
  for (const Case& c : cases) EXPECT_EQ(PtInRegion(rgn.get(), c.x, c.y) != FALSE, c.in) << c.x << "," << c.y;
  RECT box{};
  GetRgnBox(rgn.get(), &box);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 308);
}

TEST_F(SelectAreaTest, MouseOnTheRingFindsTheWindowBelow) {
  form.PlaceFrame({100, 100, 300, 200});
  EXPECT_NE(WindowFromPoint(POINT{103, 150}), form.hwnd());
  EXPECT_NE(WindowFromPoint(POINT{150, 150}), form.hwnd());
  form.HideFrame();
}

TEST_F(SelectAreaTest, RingFollowsANewSize) {
  form.PlaceFrame({0, 0, 50, 40});
  form.PlaceFrame({10, 10, 40, 30});
  ui::Region rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form.hwnd(), rgn.get()), ERROR);
  RECT box{};
  GetRgnBox(rgn.get(), &box);
  EXPECT_EQ(box.right, 28);
  EXPECT_EQ(box.bottom, 18);
  EXPECT_FALSE(PtInRegion(rgn.get(), 10, 8));
  EXPECT_TRUE(PtInRegion(rgn.get(), 10, 3));
}

TEST_F(SelectAreaTest, ShowFrameRingsTheAreaAndHideFrameHides) {
  form.ShowFrame(RECT{100, 50, 400, 250});
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.left, 95);
  EXPECT_EQ(r.top, 45);
  EXPECT_EQ(r.right, 405);
  EXPECT_EQ(r.bottom, 255);
  form.HideFrame();
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
}

TEST_F(SelectAreaTest, RingIsBlueOnTheScreenAndTheInsideIsNot) {
  form.PlaceFrame({100, 100, 300, 200});
  ui::WindowDC screen(nullptr);
  const bool shown =
      testing::PumpUntil([&] { return (GetPixel(screen.get(), 103, 150) & 0xFFFFFF) == 0xFF0000; });
  EXPECT_TRUE(shown);
  EXPECT_NE(GetPixel(screen.get(), 150, 150) & 0xFFFFFF, 0xFF0000u);
  form.HideFrame();
}

}  // namespace
}  // namespace ksv::capture
