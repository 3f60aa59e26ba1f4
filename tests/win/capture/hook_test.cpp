// The hook library under Wine: synthetic Ctrl+B and clicks are seen by the
// low-level hooks, reported once, and kept from the focused window.
#include <gtest/gtest.h>

#include "capture/win/hook/capture_sound.h"
#include "capture/win/hook/ksvmain.h"

namespace {

// Low-level hooks are called from the installing thread's message loop.
void Pump(int rounds = 20) {
  for (int i = 0; i < rounds; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

void Key(BYTE vk, bool up) { keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

void CtrlB() {
  Key(VK_CONTROL, false);
  Key('B', false);
  Key('B', true);
  Key(VK_CONTROL, true);
}

class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnableHotKeyHook();
    Pump(2);
    while (GetDownHotKey()) {
    }
  }
  void TearDown() override {
    DisableHotKeyHook();
    DisableMouseHook();
    SetMouseDown(FALSE);
  }
};

TEST_F(HookTest, CtrlBIsReportedOncePerPress) {
  CtrlB();
  Pump();
  EXPECT_TRUE(GetDownHotKey());
  EXPECT_FALSE(GetDownHotKey());
  CtrlB();
  CtrlB();
  Pump();
  EXPECT_TRUE(GetDownHotKey());
  EXPECT_TRUE(GetDownHotKey());
  EXPECT_FALSE(GetDownHotKey());
}

TEST_F(HookTest, PlainBAndOtherChordsAreNotRecorded) {
  Key('B', false);
  Key('B', true);
  Key(VK_CONTROL, false);
  Key('C', false);
  Key('C', true);
  Key(VK_CONTROL, true);
  Pump();
  EXPECT_FALSE(GetDownHotKey());
}

TEST_F(HookTest, DisabledHookRecordsNothingAndTogglingTwiceIsHarmless) {
  DisableHotKeyHook();
  DisableHotKeyHook();
  CtrlB();
  Pump();
  EXPECT_FALSE(GetDownHotKey());
  EnableHotKeyHook();
  EnableHotKeyHook();
  CtrlB();
  Pump();
  EXPECT_TRUE(GetDownHotKey());
  EXPECT_FALSE(GetDownHotKey());  // one hook, not two
}

TEST_F(HookTest, RecordedPressDoesNotReachTheFocusedWindow) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 80, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  SetForegroundWindow(edit);
  SetFocus(edit);
  Pump(5);
  CtrlB();
  Key('X', false);
  Key('X', true);
  Pump();
  wchar_t text[16] = {};
  GetWindowTextW(edit, text, 16);
  // The plain X arrives; the B of the chord does not.
  EXPECT_STREQ(text, L"x");
  EXPECT_TRUE(GetDownHotKey());
  DestroyWindow(edit);
}

TEST_F(HookTest, ClickIsRecordedUntilCleared) {
  EXPECT_FALSE(GetMouseDown());
  EnableMouseHook();
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  EXPECT_TRUE(GetMouseDown());
  EXPECT_TRUE(GetMouseDown());  // stays until cleared
  SetMouseDown(FALSE);
  EXPECT_FALSE(GetMouseDown());
  DisableMouseHook();
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  EXPECT_FALSE(GetMouseDown());
}

// Ctrl+B as the capture button sends it: scan codes from MapVirtualKeyA.
void CtrlBWithScanCodes() {
  const BYTE ctrl = static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0));
  const BYTE b = static_cast<BYTE>(MapVirtualKeyA('B', 0));
  keybd_event(VK_CONTROL, ctrl, 0, 0);
  keybd_event('B', b, 0, 0);
  keybd_event('B', b, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, ctrl, KEYEVENTF_KEYUP, 0);
}

TEST_F(HookTest, SyntheticCtrlBOfTheCaptureButtonIsRecordedExactlyOnce) {
  CtrlBWithScanCodes();
  Pump(40);
  EXPECT_TRUE(GetDownHotKey());
  Pump(10);
  EXPECT_FALSE(GetDownHotKey()) << "one press, one answer";
}

TEST_F(HookTest, PressRecordedBeforeDisablingIsNotReportedLater) {
  CtrlB();
  Pump();
  DisableHotKeyHook();
  EnableHotKeyHook();
  Pump(2);
  EXPECT_FALSE(GetDownHotKey());
}

int g_clicks_seen = 0;
LRESULT CALLBACK CountClicks(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) ++g_clicks_seen;
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

TEST_F(HookTest, RecordedClickDoesNotReachTheWindowBelow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountClicks;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KsvHookClickTarget";
  RegisterClassW(&wc);
  HWND target = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(target, nullptr);
  SetCursorPos(100, 100);
  Pump(5);
  g_clicks_seen = 0;
  // Without the hook the click arrives.
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  const int unhooked = g_clicks_seen;
  g_clicks_seen = 0;
  EnableMouseHook();
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  EXPECT_TRUE(GetMouseDown());
  EXPECT_EQ(g_clicks_seen, 0);
  DisableMouseHook();
  SetMouseDown(FALSE);
  DestroyWindow(target);
  // The check above means something only if a click normally gets there.
  EXPECT_EQ(unhooked, 2);
}

TEST(CaptureSoundTest, IsAShortValidWave) {
  const auto& w = ksv::hook::CaptureSoundWave();
  ASSERT_GT(w.size(), 44u);
  EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ");
  const std::uint32_t riff_size = w[4] | (w[5] << 8) | (w[6] << 16) | (w[7] << 24);
  EXPECT_EQ(riff_size + 8, w.size());
  const std::uint32_t rate = w[24] | (w[25] << 8) | (w[26] << 16) | (w[27] << 24);
  const double seconds = static_cast<double>(w.size() - 44) / (rate * 2);
  EXPECT_GT(seconds, 0.05);
  EXPECT_LT(seconds, 0.5);
  PlayVoice();  // must return at once, with or without a sound device
}

}  // namespace
