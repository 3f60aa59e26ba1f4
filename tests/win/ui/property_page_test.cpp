#include "ui/property_page.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace ksv::ui {
namespace {

class PageHost : public Window {
 public:
  bool Make() {
    CreateParams p;
    p.class_name = L"KsvTestPageHost";
    p.style = WS_OVERLAPPEDWINDOW;
    p.width = 400;
    p.height = 400;
    return Create(p);
  }
};

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

RECT PlaceIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

const PageControlSpec kRows[] = {
    PageRow(10, PageControlKind::Label, "半径", {8, 25, 48, 43}, WS_VISIBLE),
    PageRow(11, PageControlKind::Edit, "30", {62, 22, 118, 44}, WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL),
    PageRow(12, PageControlKind::UpDown, {}, RECT{}, WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 10,
            100, 0, 30),
    PageRow(13, PageControlKind::CheckBox, "边框", {14, 128, 64, 148}, WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 0,
            0, 1, "画出边框"),
    PageRow(14, PageControlKind::RadioButton, "圆形", {66, 96, 116, 116}, WS_VISIBLE | BS_AUTORADIOBUTTON),
    PageRow(15, PageControlKind::TrackBar, {}, {8, 160, 208, 190}, WS_VISIBLE | TBS_HORZ, 0, 10, 100, 10, 80),
    PageRow(16, PageControlKind::GroupBox, "形状", {8, 78, 120, 122}, WS_VISIBLE | BS_GROUPBOX),
};

TEST(PropertyPageTest, RowsBecomeTheirControlsWithRangesAndStartingValues) {
  PageHost host;
  ASSERT_TRUE(host.Make());
  HWND hints = CreateHintWindow(host.hwnd());
  PagePlacement at;
  at.origin = {5, 7};
  at.hints = hints;
  const std::vector<HWND> made = BuildPage(host.hwnd(), kRows, at);
  ASSERT_EQ(made.size(), std::size(kRows));
  for (std::size_t i = 0; i < made.size(); ++i) {
    ASSERT_NE(made[i], nullptr) << i;
    EXPECT_EQ(GetDlgCtrlID(made[i]), kRows[i].id);
    EXPECT_EQ(GetParent(made[i]), host.hwnd());
  }
  const std::wstring classes[] = {
      L"Static", L"Edit", L"msctls_updown32", L"Button", L"Button", L"msctls_trackbar32", L"Button"};
  for (std::size_t i = 0; i < made.size(); ++i)
    EXPECT_EQ(_wcsicmp(ClassOf(made[i]).c_str(), classes[i].c_str()), 0) << i;
  EXPECT_EQ(WindowText(made[0]), L"半径");
  // At 96 dpi the rectangles are the pixels, from the page's origin.
  const RECT label = PlaceIn(host.hwnd(), made[0]);
  EXPECT_EQ(label.left, 13);
  EXPECT_EQ(label.top, 32);
  EXPECT_EQ(label.right - label.left, 40);
  // The up-down steps the edit made before it, in its range.
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(made[2], UDM_GETBUDDY, 0, 0)), made[1]);
  int low = 0, high = 0;
  SendMessageW(made[2], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 100);
  EXPECT_EQ(SendMessageW(made[2], UDM_GETPOS32, 0, 0), 30);
  EXPECT_EQ(WindowText(made[1]), L"30");
  // A starting value checks; none leaves the button as it starts.
  EXPECT_TRUE(IsChecked(made[3]));
  EXPECT_FALSE(IsChecked(made[4]));
  EXPECT_EQ(SendMessageW(made[5], TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageW(made[5], TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(made[5], TBM_GETPAGESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageW(made[5], TBM_GETPOS, 0, 0), 80);
  // Only the row with a hint has one.
  EXPECT_EQ(SendMessageW(hints, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST(PropertyPageTest, EdgesScaleWithTheDpiSoNeighboursKeepTouching) {
  // Two controls that touch at 96 dpi still touch when every edge is
  // scaled, whatever the rounding of each size would have been.
  const PageControlSpec touching[] = {
      PageRow(1, PageControlKind::Button, {}, {3, 3, 40, 25}, WS_VISIBLE),
      PageRow(2, PageControlKind::Button, {}, {40, 3, 77, 25}, WS_VISIBLE),
  };
  struct Case {
    int dpi;
    LONG first_left, shared_edge, second_right;
  };
  const Case cases[] = {{96, 3, 40, 77}, {120, 4, 50, 96}, {144, 5, 60, 116}};
  for (const Case& c : cases) {
    PageHost host;
    ASSERT_TRUE(host.Make());
    PagePlacement at;
    at.dpi = c.dpi;
    const std::vector<HWND> made = BuildPage(host.hwnd(), touching, at);
    const RECT a = PlaceIn(host.hwnd(), made[0]);
    const RECT b = PlaceIn(host.hwnd(), made[1]);
    EXPECT_EQ(a.left, c.first_left) << c.dpi;
    EXPECT_EQ(a.right, c.shared_edge) << c.dpi;
    EXPECT_EQ(b.left, c.shared_edge) << c.dpi;
    EXPECT_EQ(b.right, c.second_right) << c.dpi;
  }
}

}  // namespace
}  // namespace ksv::ui
