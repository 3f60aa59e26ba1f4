// Fakes of the capture cycle's platform pieces. All of them write into one
// call log, so a test can check the order in which the cycle calls them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_cycle.h"

namespace ksv::capture::testing {

using CallLog = std::vector<std::string>;

class FakeHook : public HookLibrary {
 public:
  explicit FakeHook(CallLog& log) : log_(log) {}
  void EnableHotKeyHook() override;
  void DisableHotKeyHook() override;
  bool GetDownHotKey() override;
  void EnableMouseHook() override;
  void DisableMouseHook() override;
  bool GetMouseDown() override;
  void SetMouseDown(bool down) override;

  // A press is recorded only while the hotkey hook is on, like the
  // library does.
  void PressHotKey();
  void Click();

  bool hotkey_on = false;
  bool mouse_on = false;
  int presses = 0;
  bool mouse_down = false;

 private:
  CallLog& log_;
};

class FakeScreen : public ScreenAccess {
 public:
  explicit FakeScreen(CallLog& log);
  Raster GrabScreen() override;
  void DrawCursor(Raster& working) override;
  Point CursorPos() override;
  std::optional<Rect> ForegroundWindowRect() override;
  std::optional<Rect> WindowRectUnderCursor() override;

  Size size{64, 48};
  // Every pixel has its own colour, so crops can be checked.
  Raster image;
  Point cursor{10, 10};
  std::optional<Rect> foreground;
  std::optional<Rect> under_cursor;

 private:
  CallLog& log_;
};

class FakeFrame : public FrameWindow {
 public:
  explicit FakeFrame(CallLog& log) : log_(log) {}
  void Place(const Rect& bounds) override;
  void BringToForeground() override;
  void Hide() override;

  bool visible = false;
  Rect bounds;

 private:
  CallLog& log_;
};

class FakeHost : public CycleHost {
 public:
  explicit FakeHost(CallLog& log) : log_(log) {}
  CaptureMode Mode() override { return mode; }
  bool IncludeCursor() override { return include_cursor; }
  CaptureOptions Options() override { return options; }
  void SetTimerEnabled(bool enabled) override;
  void ShowMode(CaptureMode m) override;
  void SetIncludeCursorChecked(bool checked) override;
  bool MainWindowVisible() override { return main_visible; }
  bool MainWindowActive() override { return main_active; }
  void HideMainWindow() override;
  void ShowMainWindow() override;
  void LoadFullScreen(const Raster& canvas) override;
  void LoadPicture(const Raster& picture) override;
  void ShowEditor() override;
  void ShowOverlay(const Raster& frozen_screen) override;
  std::int64_t NowMs() override { return now_ms; }

  CaptureMode mode = CaptureMode::Region;
  bool include_cursor = false;
  CaptureOptions options{false, 0, {20, 10}};
  bool timer = true;
  bool main_visible = true;
  bool main_active = false;
  bool editor_visible = false;
  bool overlay_visible = false;
  Raster loaded;
  Raster overlay_picture;
  std::int64_t now_ms = 1000;

 private:
  CallLog& log_;
};

// The pixel value the fake screen holds at (x, y).
Color ScreenColor(int x, int y);

}  // namespace ksv::capture::testing
