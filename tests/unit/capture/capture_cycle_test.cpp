// The capture cycle against fakes: the calls it makes for each mode, in
// their order, and the pictures it hands to the editor.
#include "capture/capture_cycle.h"

#include <gtest/gtest.h>

#include "cycle_fake.h"

namespace ksv::capture {
namespace {

using testing::CallLog;
using testing::ScreenColor;
using Log = std::vector<std::string>;

class CaptureCycleTest : public ::testing::Test {
 protected:
  CaptureCycleTest() : hook(log), screen(log), frame(log), host(log), cycle(hook, screen, frame, host) {
    cycle.ArmCapture();
    log.clear();
  }

  // One press of Ctrl+B and the tick that sees it.
  void PressAndTick() {
    hook.PressHotKey();
    cycle.Timer1Timer();
  }

  // What the editor closing does: it re-arms, then tells the cycle.
  void CloseEditor() {
    host.editor_visible = false;
    hook.EnableHotKeyHook();
    host.SetTimerEnabled(true);
    cycle.EditorClosed();
  }

  bool Armed() const { return hook.hotkey_on && host.timer && !hook.mouse_on && !cycle.WaitingForClick(); }

  CallLog log;
  testing::FakeHook hook;
  testing::FakeScreen screen;
  testing::FakeFrame frame;
  testing::FakeHost host;
  CaptureCycle cycle;
};

TEST_F(CaptureCycleTest, IdleTickOnlyPollsTheHotKey) {
  for (int i = 0; i < 5; ++i) cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});
  EXPECT_TRUE(Armed());
}

TEST_F(CaptureCycleTest, RegionGrabsThenDisarmsThenShowsTheOverlay) {
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "GrabScreen", "DisableHotKeyHook", "Timer1Off", "ShowOverlay"}));
  EXPECT_TRUE(host.overlay_picture.SamePixels(screen.image));
  EXPECT_FALSE(host.editor_visible);
  EXPECT_FALSE(hook.hotkey_on);
}

TEST_F(CaptureCycleTest, CursorIsDrawnOnlyWhenTicked) {
  host.include_cursor = true;
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "GrabScreen", "DrawCursor", "DisableHotKeyHook", "Timer1Off",
                      "ShowOverlay"}));
  EXPECT_EQ(host.overlay_picture.Pixel(screen.cursor.x, screen.cursor.y), 0xFFFFFFu);
}

TEST_F(CaptureCycleTest, FullScreenLoadsTheWholeScreenThenShowsTheEditor) {
  host.mode = CaptureMode::FullScreen;
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "GrabScreen", "DisableHotKeyHook", "Timer1Off", "LoadFullScreen",
                      "ShowEditor"}));
  EXPECT_TRUE(host.loaded.SamePixels(screen.image));
  CloseEditor();
  EXPECT_TRUE(Armed());
}

TEST_F(CaptureCycleTest, ActiveWindowCutsTheForegroundWindow) {
  host.mode = CaptureMode::ActiveWindow;
  screen.foreground = Rect{5, 6, 25, 16};
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "GrabScreen", "CropForegroundWindow", "LoadPicture",
                      "DisableHotKeyHook", "Timer1Off", "ShowEditor"}));
  ASSERT_EQ(host.loaded.Width(), 20);
  ASSERT_EQ(host.loaded.Height(), 10);
  EXPECT_EQ(host.loaded.Pixel(0, 0), ScreenColor(5, 6));
  EXPECT_EQ(host.loaded.Pixel(19, 9), ScreenColor(24, 15));
}

TEST_F(CaptureCycleTest, ActiveWindowPartlyOffTheScreenIsClipped) {
  host.mode = CaptureMode::ActiveWindow;
  screen.foreground = Rect{-8, 40, 10, 60};  // the screen is 64 x 48
  PressAndTick();
  ASSERT_EQ(host.loaded.Width(), 10);
  ASSERT_EQ(host.loaded.Height(), 8);
  EXPECT_EQ(host.loaded.Pixel(0, 0), ScreenColor(0, 40));
}

TEST_F(CaptureCycleTest, NoForegroundWindowCapturesNothingAndStaysArmed) {
  host.mode = CaptureMode::ActiveWindow;
  for (std::optional<Rect> window : {std::optional<Rect>(), std::optional<Rect>(Rect{100, 100, 200, 200})}) {
    screen.foreground = window;
    PressAndTick();
    EXPECT_TRUE(host.loaded.Empty());
    EXPECT_FALSE(host.editor_visible);
    EXPECT_TRUE(Armed());
  }
}

// Both click modes: the hotkey starts a wait with the frame shown in the
// same tick; the click takes the area and ends the wait.
struct ClickModeCase {
  CaptureMode mode;
  Rect expected_frame;
  Rect expected_area;
};

class ClickModeTest : public CaptureCycleTest, public ::testing::WithParamInterface<ClickModeCase> {};

TEST_P(ClickModeTest, WaitsForTheClickWithTheFrameThenTakesTheArea) {
  const ClickModeCase& c = GetParam();
  host.mode = c.mode;
  host.options.fixed = {20, 10};
  screen.cursor = {30, 20};
  screen.under_cursor = Rect{12, 14, 40, 30};
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "EnableMouseHook", "DisableHotKeyHook", "FramePlace"}));
  EXPECT_TRUE(cycle.WaitingForClick());
  EXPECT_TRUE(host.timer);
  EXPECT_TRUE(frame.visible);
  EXPECT_EQ(frame.bounds, c.expected_frame);

  log.clear();
  for (int i = 0; i < 3; ++i) cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});

  hook.Click();
  cycle.Timer1Timer();
  EXPECT_EQ(log, (Log{"GetMouseDown", "GrabScreen", "FrameHide", "LoadPicture", "ShowEditor",
                      "SetMouseDown(false)", "DisableMouseHook", "Timer1Off"}));
  EXPECT_FALSE(cycle.WaitingForClick());
  ASSERT_EQ(host.loaded.Width(), c.expected_area.Width());
  ASSERT_EQ(host.loaded.Height(), c.expected_area.Height());
  EXPECT_EQ(host.loaded.Pixel(0, 0), ScreenColor(c.expected_area.left, c.expected_area.top));
  EXPECT_EQ(host.loaded.Pixel(host.loaded.Width() - 1, host.loaded.Height() - 1),
            ScreenColor(c.expected_area.right - 1, c.expected_area.bottom - 1));

  log.clear();
  CloseEditor();
  EXPECT_TRUE(Armed());
  cycle.Timer1Timer();
  EXPECT_FALSE(frame.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ClickModeTest,
    ::testing::Values(ClickModeCase{CaptureMode::AxtiveObject, {7, 9, 45, 35}, {12, 14, 40, 30}},
                      ClickModeCase{CaptureMode::FixRegion, {20, 15, 50, 35}, {25, 20, 45, 30}}));

TEST_F(CaptureCycleTest, FrameFollowsTheMouseOnEveryTickOfTheWait) {
  host.mode = CaptureMode::FixRegion;
  host.options.fixed = {10, 6};
  screen.cursor = {20, 20};
  PressAndTick();
  EXPECT_EQ(frame.bounds, (Rect{15, 17, 35, 33}));
  screen.cursor = {40, 30};
  cycle.Timer1Timer();
  EXPECT_EQ(frame.bounds, (Rect{35, 27, 55, 43}));
  hook.Click();
  cycle.Timer1Timer();
  EXPECT_EQ(host.loaded.Width(), 10);
  EXPECT_EQ(host.loaded.Pixel(0, 0), ScreenColor(40, 32));
}

TEST_F(CaptureCycleTest, NoWindowUnderTheMouseHidesTheFrameUntilThereIsOne) {
  host.mode = CaptureMode::AxtiveObject;
  screen.under_cursor = Rect{0, 0, 10, 10};
  PressAndTick();
  ASSERT_TRUE(frame.visible);
  screen.under_cursor.reset();
  cycle.Timer1Timer();
  EXPECT_FALSE(frame.visible);
  EXPECT_TRUE(cycle.WaitingForClick());
  screen.under_cursor = Rect{20, 20, 30, 30};
  cycle.Timer1Timer();
  EXPECT_TRUE(frame.visible);
  EXPECT_EQ(frame.bounds, (Rect{15, 15, 35, 35}));
}

TEST_F(CaptureCycleTest, CancelledWaitTakesNothingAndArmsAgain) {
  host.mode = CaptureMode::FixRegion;
  host.options.hide_main_window = true;
  PressAndTick();
  host.now_ms += kHideSettleMs;
  cycle.Timer1Timer();
  ASSERT_TRUE(cycle.WaitingForClick());
  ASSERT_TRUE(frame.visible);
  log.clear();
  cycle.CancelWait();
  EXPECT_EQ(log, (Log{"FrameHide", "SetMouseDown(false)", "DisableMouseHook", "EnableHotKeyHook", "Timer1On",
                      "ShowMainWindow"}));
  EXPECT_TRUE(Armed());
  EXPECT_TRUE(host.loaded.Empty());
  log.clear();
  cycle.CancelWait();  // not waiting: nothing to do
  EXPECT_EQ(log, Log{});
}

TEST_F(CaptureCycleTest, HotKeyHasNoEffectWhileWaitingForTheClick) {
  host.mode = CaptureMode::AxtiveObject;
  screen.under_cursor = Rect{0, 0, 10, 10};
  PressAndTick();
  log.clear();
  hook.PressHotKey();  // the hook is off: not recorded
  cycle.Timer1Timer();
  cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});
  EXPECT_TRUE(cycle.WaitingForClick());
}

TEST_F(CaptureCycleTest, ChoosingTheChosenModeDoesNotArmAgain) {
  cycle.DisarmCapture();
  log.clear();
  cycle.ChooseMode(CaptureMode::Region);
  EXPECT_EQ(log, Log{});
  EXPECT_FALSE(host.timer);
}

TEST_F(CaptureCycleTest, ChoosingAnotherModeShowsItAndArms) {
  cycle.DisarmCapture();
  log.clear();
  cycle.ChooseMode(CaptureMode::FullScreen);
  EXPECT_EQ(log, (Log{"ShowMode", "EnableHotKeyHook", "Timer1On"}));
  EXPECT_EQ(host.mode, CaptureMode::FullScreen);
}

TEST_F(CaptureCycleTest, FullScreenAfterFixRegionLeavesNoWait) {
  host.mode = CaptureMode::FixRegion;
  PressAndTick();
  ASSERT_TRUE(cycle.WaitingForClick());
  cycle.ChooseMode(CaptureMode::FullScreen);
  EXPECT_FALSE(cycle.WaitingForClick());
  EXPECT_FALSE(frame.visible);
  EXPECT_FALSE(hook.mouse_on);
  EXPECT_TRUE(Armed());

  log.clear();
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "GrabScreen", "DisableHotKeyHook", "Timer1Off", "LoadFullScreen",
                      "ShowEditor"}));
  CloseEditor();
  // Back in the fixed mode, the old wait does not come back by itself.
  cycle.ChooseMode(CaptureMode::FixRegion);
  log.clear();
  cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});
  EXPECT_FALSE(frame.visible);
}

TEST_F(CaptureCycleTest, ClickOnNothingReturnsToArmed) {
  host.mode = CaptureMode::FixRegion;
  host.options.fixed = {10, 10};
  screen.cursor = {500, 500};  // far off the 64 x 48 screen
  PressAndTick();
  hook.Click();
  cycle.Timer1Timer();
  EXPECT_TRUE(host.loaded.Empty());
  EXPECT_FALSE(host.editor_visible);
  EXPECT_FALSE(frame.visible);
  EXPECT_TRUE(Armed());
  EXPECT_FALSE(hook.mouse_down);
}

TEST_F(CaptureCycleTest, IncludeCursorClickToggles) {
  cycle.IncludeCursorClick();
  EXPECT_TRUE(host.include_cursor);
  cycle.IncludeCursorClick();
  EXPECT_FALSE(host.include_cursor);
}

TEST_F(CaptureCycleTest, HiddenMainWindowLeavesTheScreenBeforeTheGrabAndComesBack) {
  host.mode = CaptureMode::FullScreen;
  host.options.hide_main_window = true;
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "HideMainWindow", "DisableHotKeyHook"}));
  EXPECT_TRUE(host.timer);  // the user interface keeps running
  log.clear();
  host.now_ms += kHideSettleMs - 1;
  cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});
  host.now_ms += 1;
  cycle.Timer1Timer();
  EXPECT_EQ(log, (Log{"GrabScreen", "DisableHotKeyHook", "Timer1Off", "LoadFullScreen", "ShowEditor"}));
  log.clear();
  CloseEditor();
  EXPECT_EQ(log, (Log{"EnableHotKeyHook", "Timer1On", "ShowMainWindow"}));
}

// Opened again by the user meanwhile (from the tray): the grab is not held
// up for ever and the window is not hidden behind the user's back.
TEST_F(CaptureCycleTest, MainWindowOpenedDuringTheWaitDoesNotHoldTheGrab) {
  host.options.hide_main_window = true;
  PressAndTick();
  host.main_visible = true;
  host.now_ms += kHideSettleMs;
  log.clear();
  cycle.Timer1Timer();
  EXPECT_EQ(log, (Log{"GrabScreen", "DisableHotKeyHook", "Timer1Off", "ShowOverlay"}));
}

TEST_F(CaptureCycleTest, AlreadyHiddenMainWindowNeedsNoWait) {
  host.options.hide_main_window = true;
  host.main_visible = false;
  PressAndTick();
  EXPECT_TRUE(host.overlay_visible);
  CloseEditor();
  EXPECT_FALSE(host.main_visible);
}

TEST_F(CaptureCycleTest, ActiveMainWindowIsCapturedNotHidden) {
  host.mode = CaptureMode::ActiveWindow;
  host.options.hide_main_window = true;
  host.main_active = true;
  screen.foreground = Rect{0, 0, 30, 20};
  PressAndTick();
  EXPECT_TRUE(host.main_visible);
  EXPECT_EQ(host.loaded.Width(), 30);
  EXPECT_TRUE(host.editor_visible);
}

TEST_F(CaptureCycleTest, DelayedGrabHappensAfterTheDelayWithoutBlocking) {
  host.mode = CaptureMode::FullScreen;
  host.options.delay_ms = 2000;
  PressAndTick();
  EXPECT_EQ(log, (Log{"GetDownHotKey", "DisableHotKeyHook"}));
  EXPECT_TRUE(cycle.CapturePending());
  hook.PressHotKey();  // ignored while the grab is due
  log.clear();
  for (int t = 50; t < 2000; t += 50) {
    host.now_ms += 50;
    cycle.Timer1Timer();
  }
  EXPECT_EQ(log, Log{});
  host.now_ms += 50;
  cycle.Timer1Timer();
  EXPECT_EQ(log, (Log{"GrabScreen", "DisableHotKeyHook", "Timer1Off", "LoadFullScreen", "ShowEditor"}));
  EXPECT_FALSE(cycle.CapturePending());
}

TEST_F(CaptureCycleTest, DelayedClickModeStartsItsWaitAfterTheDelay) {
  host.mode = CaptureMode::FixRegion;
  host.options.delay_ms = 1000;
  PressAndTick();
  EXPECT_FALSE(cycle.WaitingForClick());
  EXPECT_FALSE(frame.visible);
  host.now_ms += 1000;
  cycle.Timer1Timer();
  EXPECT_TRUE(cycle.WaitingForClick());
  EXPECT_TRUE(frame.visible);
  EXPECT_TRUE(hook.mouse_on);
}

TEST_F(CaptureCycleTest, ChoosingAModeCancelsADueGrabAndShowsTheMainWindow) {
  host.options.hide_main_window = true;
  host.options.delay_ms = 3000;
  PressAndTick();
  ASSERT_FALSE(host.main_visible);
  cycle.ChooseMode(CaptureMode::FullScreen);
  EXPECT_FALSE(cycle.CapturePending());
  EXPECT_TRUE(host.main_visible);
  EXPECT_TRUE(Armed());
  host.now_ms += 5000;
  log.clear();
  cycle.Timer1Timer();
  EXPECT_EQ(log, Log{});
}

TEST_F(CaptureCycleTest, CancelledOverlayArmsAgainAndShowsTheMainWindow) {
  host.options.hide_main_window = true;
  PressAndTick();
  host.now_ms += kHideSettleMs;
  cycle.Timer1Timer();
  ASSERT_TRUE(host.overlay_visible);
  ASSERT_FALSE(hook.hotkey_on);
  cycle.OverlayCancelled();
  EXPECT_TRUE(Armed());
  EXPECT_TRUE(host.main_visible);
  log.clear();
  PressAndTick();
  EXPECT_EQ(log.front(), "GetDownHotKey");
}

}  // namespace
}  // namespace ksv::capture
