// The region overlay driven with window messages: the band and the readout
// follow the mouse, the release hands the clean frozen screen to the
// editor, and Esc or a right click leave without a picture.
#include "capture/win/display_form.h"

#include <gtest/gtest.h>

#include "editor/picture_load.h"
#include "forms_fake.h"

namespace ksv::capture {
namespace {

using testing::FakeForms;
using testing::PumpUntil;

std::wstring Text(HWND hwnd) {
  wchar_t buf[64] = {};
  GetWindowTextW(hwnd, buf, 64);
  return buf;
}

class DisplayFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.CreateForm());
    forms = std::make_unique<FakeForms>();
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    frozen = Raster(w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) frozen.SetPixel(x, y, MakeColor(x * 3, y * 5, (x + y) / 4));
    }
  }
  void TearDown() override { forms.reset(); }

  // The cursor moves, then the message that the move produces.
  void MoveTo(int x, int y, UINT msg = WM_MOUSEMOVE, WPARAM keys = MK_LBUTTON) {
    SetCursorPos(x, y);
    ASSERT_TRUE(PumpUntil([&] {
      POINT p{};
      GetCursorPos(&p);
      return p.x == x && p.y == y;
    }));
    SendMessageW(form.hwnd(), msg, keys, MAKELPARAM(x, y));
  }

  TDisPlayForm form;
  std::unique_ptr<FakeForms> forms;
  Raster frozen;
};

TEST_F(DisplayFormTest, CoversThePrimaryScreenWithTheFrozenPicture) {
  form.ShowOverlay(frozen);
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(GetWindowLongW(form.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_TRUE(form.ShownPicture().SamePixels(frozen));
  EXPECT_FALSE(IsWindowVisible(form.Panel().hwnd()));
  form.HideOverlay();
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
}

TEST_F(DisplayFormTest, ScreenShowsTheFrozenPictureOneToOne) {
  form.ShowOverlay(frozen);
  HDC screen = GetDC(nullptr);
  auto shows = [&](int x, int y) {
    const Color c = frozen.Pixel(x, y);
    return GetPixel(screen, x, y) == RGB(RedOf(c), GreenOf(c), BlueOf(c));
  };
  EXPECT_TRUE(PumpUntil([&] { return shows(10, 10) && shows(400, 300); }));
  EXPECT_TRUE(shows(0, 0));
  EXPECT_TRUE(shows(frozen.Width() - 1, frozen.Height() - 1));
  EXPECT_TRUE(shows(123, 77));
  ReleaseDC(nullptr, screen);
  form.HideOverlay();
}

TEST_F(DisplayFormTest, BandAndReadoutFollowTheDragAndNeverReachTheEditor) {
  form.ShowOverlay(frozen);
  MoveTo(300, 200, WM_LBUTTONDOWN);
  EXPECT_TRUE(form.Dragging());
  EXPECT_TRUE(IsWindowVisible(form.Panel().hwnd()));
  MoveTo(150, 120);
  MoveTo(100, 50);
  EXPECT_EQ(form.Drag().DragStart, (Point{300, 200}));
  EXPECT_EQ(form.Drag().DragLast, (Point{100, 50}));

  // The band: XOR yellow on the corners' rows and columns only.
  const Raster shown = form.ShownPicture();
  const Color yellow_xor = MakeColor(255, 255, 0);
  EXPECT_EQ(shown.Pixel(200, 50), frozen.Pixel(200, 50) ^ yellow_xor);
  EXPECT_EQ(shown.Pixel(100, 120), frozen.Pixel(100, 120) ^ yellow_xor);
  EXPECT_EQ(shown.Pixel(300, 120), frozen.Pixel(300, 120) ^ yellow_xor);
  EXPECT_EQ(shown.Pixel(200, 200), frozen.Pixel(200, 200) ^ yellow_xor);
  EXPECT_EQ(shown.Pixel(200, 120), frozen.Pixel(200, 120));
  // The earlier band at (150, 120) is gone.
  EXPECT_EQ(shown.Pixel(150, 160), frozen.Pixel(150, 160));
  EXPECT_EQ(shown.Pixel(200, 120), frozen.Pixel(200, 120));

  EXPECT_EQ(Text(form.Panel().LbX()), L"宽:200");
  EXPECT_EQ(Text(form.Panel().LbY()), L"高:150");
  RECT panel{};
  GetWindowRect(form.Panel().hwnd(), &panel);
  EXPECT_EQ(panel.left, 105);
  EXPECT_EQ(panel.top, 55);
  EXPECT_EQ(panel.right - panel.left, 37);
  EXPECT_EQ(panel.bottom - panel.top, 25);

  // The mouse goes on without a move message before the release.
  MoveTo(90, 40, WM_LBUTTONUP, 0);
  ASSERT_EQ(forms->editor.loads, std::vector<std::string>{"LoadRegion"});
  EXPECT_TRUE(forms->editor.shown);
  EXPECT_TRUE(forms->editor.modal);
  EXPECT_EQ(forms->editor.drag_start.x, 300);
  EXPECT_EQ(forms->editor.drag_start.y, 200);
  EXPECT_TRUE(forms->editor.picture.SamePixels(frozen)) << "the band reached the editor";
  const Point end{forms->editor.drag_end.x, forms->editor.drag_end.y};
  EXPECT_EQ(form.Drag().DragEnd, (Point{90, 40}));
  EXPECT_EQ(form.Drag().DragEnd, end) << "where the editor cut";
  const Raster cut = editor::CutRegion(forms->editor.picture, {300, 200}, end);
  EXPECT_EQ(cut.Width(), 210);
  EXPECT_EQ(cut.Height(), 160);
  EXPECT_TRUE(cut.SamePixels(editor::CutRegion(frozen, {300, 200}, end)));
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_FALSE(IsWindowVisible(form.Panel().hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 0);
}

TEST_F(DisplayFormTest, EscLeavesWithoutAPicture) {
  form.ShowOverlay(frozen);
  MoveTo(50, 50, WM_LBUTTONDOWN);
  MoveTo(80, 90);
  SendMessageW(form.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 1);
  EXPECT_TRUE(forms->editor.loads.empty());
  EXPECT_FALSE(forms->editor.shown);
  EXPECT_FALSE(form.Dragging());
}

TEST_F(DisplayFormTest, RightClickBeforeADragLeavesAndDuringADragDoesNot) {
  form.ShowOverlay(frozen);
  MoveTo(60, 60, WM_LBUTTONDOWN);
  SendMessageW(form.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(60, 60));
  EXPECT_TRUE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 0);
  MoveTo(70, 75, WM_LBUTTONUP, 0);
  EXPECT_EQ(forms->editor.loads.size(), 1u);

  form.ShowOverlay(frozen);
  SendMessageW(form.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 1);
  EXPECT_EQ(forms->editor.loads.size(), 1u);
}

TEST_F(DisplayFormTest, CloseKeysLeaveLikeEsc) {
  form.ShowOverlay(frozen);
  SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(form.hwnd()));
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 1);
}

TEST_F(DisplayFormTest, ClickWithoutMovingGivesAnEmptyRegion) {
  form.ShowOverlay(frozen);
  MoveTo(40, 40, WM_LBUTTONDOWN);
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
  ASSERT_EQ(forms->editor.loads.size(), 1u);
  EXPECT_TRUE(editor::CutRegion(forms->editor.picture, {40, 40}, {40, 40}).Empty());
}

TEST_F(DisplayFormTest, OutsideRegionModeTheReleaseLoadsNothing) {
  forms->main.mode = CaptureMode::FullScreen;
  form.ShowOverlay(frozen);
  MoveTo(40, 40, WM_LBUTTONDOWN);
  MoveTo(90, 90, WM_LBUTTONUP, 0);
  EXPECT_TRUE(forms->editor.loads.empty());
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  EXPECT_EQ(forms->capture.cancelled, 1);
}

TEST_F(DisplayFormTest, ReadoutLabelsAreBlueNinePointTahomaOnSkyBlue) {
  form.ShowOverlay(frozen);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(form.Panel().LbX(), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(-lf.lfHeight, MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72));
  ReleaseDC(nullptr, dc);
  RECT lbx{}, lby{}, panel{};
  GetWindowRect(form.Panel().LbX(), &lbx);
  GetWindowRect(form.Panel().LbY(), &lby);
  GetWindowRect(form.Panel().hwnd(), &panel);
  EXPECT_EQ(lbx.left - panel.left, 1);
  EXPECT_EQ(lbx.top - panel.top, 0);
  EXPECT_EQ(lby.top - panel.top, 11);
  form.HideOverlay();
}

}  // namespace
}  // namespace ksv::capture
