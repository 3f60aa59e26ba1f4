// Grabbing the screen, drawing the cursor and finding window rectangles,
// against real windows under Wine.
#include <gtest/gtest.h>

#include "capture/win/screen_win.h"
#include "forms_fake.h"
#include "ui/gdi.h"

namespace ksv::capture {
namespace {

using testing::PumpUntil;

constexpr COLORREF kPaint = RGB(12, 200, 77);

// A plain topmost window filled with one colour.
class ColourWindow {
 public:
  ColourWindow(int x, int y, int w, int h, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KsvCaptureColourWindow";
    wc.hbrBackground = brush_.get();
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"colour", WS_POPUP | WS_VISIBLE, x, y, w, h,
                            nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
  }
  ~ColourWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  ui::Brush brush_;
  HWND hwnd_ = nullptr;
};

bool ScreenShows(int x, int y, COLORREF colour) {
  ui::WindowDC screen(nullptr);
  return (GetPixel(screen.get(), x, y) & 0xFFFFFF) == colour;
}

TEST(GrabScreen, HoldsWhatAWindowShowsOnTheScreen) {
  ColourWindow window(200, 150, 120, 80, kPaint);
  ASSERT_TRUE(PumpUntil([] { return ScreenShows(260, 190, kPaint); }))
      << "the window never reached the screen";
  const Raster shot = GrabScreen();
  EXPECT_EQ(shot.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(shot.Height(), GetSystemMetrics(SM_CYSCREEN));
  const Color expected = MakeColor(12, 200, 77);
  for (int y = 150; y < 230; y += 7) {
    for (int x = 200; x < 320; x += 9) ASSERT_EQ(shot.Pixel(x, y), expected) << x << "," << y;
  }
  EXPECT_EQ(shot.Pixel(319, 229), expected);
  EXPECT_NE(shot.Pixel(199, 190), expected);
  EXPECT_NE(shot.Pixel(320, 190), expected);
}

TEST(WindowRects, ForegroundAndUnderTheCursor) {
  ColourWindow window(300, 220, 90, 60, kPaint);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window.hwnd(); }));
  const std::optional<Rect> fg = ForegroundWindowRect();
  ASSERT_TRUE(fg.has_value());
  EXPECT_EQ(*fg, (Rect{300, 220, 390, 280}));
  SetCursorPos(340, 250);
  ASSERT_TRUE(PumpUntil([] { return CursorPosition() == Point{340, 250}; }));
  const std::optional<Rect> under = WindowRectUnderCursor();
  ASSERT_TRUE(under.has_value());
  EXPECT_EQ(*under, (Rect{300, 220, 390, 280}));
}

// A 16 x 16 cursor that is transparent except for one black pixel at its
// hot spot (5, 7).
HCURSOR DotCursor() {
  BYTE and_mask[16 * 2];
  BYTE xor_mask[16 * 2] = {};
  for (BYTE& b : and_mask) b = 0xFF;
  and_mask[7 * 2 + 0] = static_cast<BYTE>(~(0x80 >> 5));
  return CreateCursor(GetModuleHandleW(nullptr), 5, 7, 16, 16, and_mask, xor_mask);
}

TEST(DrawCursor, HotSpotLandsOnTheMousePosition) {
  const HCURSOR cursor = DotCursor();
  ASSERT_NE(cursor, nullptr);
  struct Case {
    POINT mouse;
  } cases[] = {{{40, 30}}, {{0, 0}}, {{2, 3}}, {{63, 47}}};
  for (const Case& c : cases) {
    Raster shot(64, 48, MakeColor(255, 255, 255));
    DrawCursorAt(shot, cursor, c.mouse);
    int black = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        if (shot.Pixel(x, y) != MakeColor(255, 255, 255)) {
          ++black;
          EXPECT_EQ(x, c.mouse.x);
          EXPECT_EQ(y, c.mouse.y);
          EXPECT_EQ(shot.Pixel(x, y), MakeColor(0, 0, 0));
        }
      }
    }
    EXPECT_EQ(black, 1) << c.mouse.x << "," << c.mouse.y;
  }
  DestroyCursor(cursor);
}

// A window of another thread, whose class cursor is only known to that
// thread's input state.
class ForeignCursorWindow {
 public:
  explicit ForeignCursorWindow(HCURSOR cursor) : cursor_(cursor) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ForeignCursorWindow::Run, this, 0, &thread_id_);
    WaitForSingleObject(ready_, 5000);
  }
  ~ForeignCursorWindow() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
  }

 private:
  static DWORD WINAPI Run(LPVOID param) {
    auto* self = static_cast<ForeignCursorWindow*>(param);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KsvCaptureForeignCursor";
    wc.hCursor = self->cursor_;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 500, 300, 100,
                                100, nullptr, nullptr, wc.hInstance, nullptr);
    SetEvent(self->ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(hwnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    return 0;
  }

  HCURSOR cursor_;
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD thread_id_ = 0;
};

TEST(TargetCursor, IsTheCursorOfTheWindowUnderTheMouseInAnotherThread) {
  const HCURSOR dot = DotCursor();
  {
    ForeignCursorWindow window(dot);
    SetCursorPos(540, 340);
    // Each nudge makes the window under the mouse set its cursor again.
    int nudge = 0;
    const bool found = PumpUntil([&] {
      SetCursorPos(540 + (++nudge % 2), 340);
      return TargetCursor() == dot;
    });
    EXPECT_TRUE(found);
    // The borrowed handle is still a working cursor.
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(dot, &info));
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 7u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  DestroyCursor(dot);
}

TEST(DrawCursor, UnreadableCursorIsReportedAndDrawsNothing) {
  const HCURSOR gone = DotCursor();
  DestroyCursor(gone);
  Raster shot(64, 48, MakeColor(255, 255, 255));
  const Raster before = shot;
  EXPECT_FALSE(DrawCursorAt(shot, gone, POINT{20, 20}));
  EXPECT_FALSE(DrawCursorAt(shot, nullptr, POINT{20, 20}));
  EXPECT_TRUE(shot.SamePixels(before));
  const HCURSOR dot = DotCursor();
  EXPECT_TRUE(DrawCursorAt(shot, dot, POINT{20, 20}));
  DestroyCursor(dot);
}

TEST(DrawCursor, CursorOffTheScreenLeavesThePictureAlone) {
  const HCURSOR cursor = DotCursor();
  Raster shot(64, 48, MakeColor(255, 255, 255));
  const Raster before = shot;
  DrawCursorAt(shot, cursor, POINT{-30, 100});
  EXPECT_TRUE(shot.SamePixels(before));
  DestroyCursor(cursor);
}

TEST(DrawCursor, StandardCursorIsDrawnAroundTheMouse) {
  const HCURSOR ibeam = LoadCursorW(nullptr, IDC_IBEAM);
  ASSERT_NE(ibeam, nullptr);
  Raster shot(200, 150, MakeColor(0, 128, 0));
  const Raster before = shot;
  DrawCursorAt(shot, ibeam, POINT{100, 75});
  EXPECT_FALSE(shot.SamePixels(before));
  // Nothing far from the mouse changes.
  for (int y = 0; y < 150; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (std::abs(x - 100) > 40 || std::abs(y - 75) > 40) {
        ASSERT_EQ(shot.Pixel(x, y), before.Pixel(x, y));
      }
    }
  }
}

}  // namespace
}  // namespace ksv::capture
