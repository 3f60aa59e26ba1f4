// The capture cycle: what each 50 ms tick of the main window's capture
// timer does with the hotkey and the click recorded by the hook library,
// and what the mode handlers change. The platform pieces (the hook
// library, the screen, the selection frame, the main window, the editor
// and the overlay) are reached through the small interfaces below, so the
// cycle runs the same against the real windows and against test fakes.
#pragma once

#include <cstdint>
#include <optional>

#include "capture/capture_geometry.h"
#include "capture/capture_mode.h"
#include "core/raster.h"

namespace ksv::capture {

// The exports of the hook library.
class HookLibrary {
 public:
  virtual ~HookLibrary() = default;
  virtual void EnableHotKeyHook() = 0;
  virtual void DisableHotKeyHook() = 0;
  virtual bool GetDownHotKey() = 0;
  virtual void EnableMouseHook() = 0;
  virtual void DisableMouseHook() = 0;
  virtual bool GetMouseDown() = 0;
  virtual void SetMouseDown(bool down) = 0;
};

// The primary screen and the windows on it, in screen pixels.
class ScreenAccess {
 public:
  virtual ~ScreenAccess() = default;
  // GrabScreen: a copy of the whole primary screen as it is now.
  virtual Raster GrabScreen() = 0;
  // DrawCursor: the cursor shown under the mouse, drawn into a grabbed
  // screen with its hot spot on the mouse position.
  virtual void DrawCursor(Raster& working) = 0;
  virtual Point CursorPos() = 0;
  // Outer rectangles; nothing when there is no such window.
  virtual std::optional<Rect> ForegroundWindowRect() = 0;
  virtual std::optional<Rect> WindowRectUnderCursor() = 0;
};

// The selection frame window.
class FrameWindow {
 public:
  virtual ~FrameWindow() = default;
  // Moves the frame to these window bounds, shapes its ring and shows it.
  virtual void Place(const Rect& bounds) = 0;
  virtual void BringToForeground() = 0;
  virtual void Hide() = 0;
};

// What the cycle reads at the moment of a capture.
struct CaptureOptions {
  bool hide_main_window = false;
  int delay_ms = 0;
  Size fixed;  // FixedWidth x FixedHeight
};

// The main window (live settings, Timer1, visibility), the editor's entry
// points and the overlay, as the cycle uses them.
class CycleHost {
 public:
  virtual ~CycleHost() = default;
  virtual CaptureMode Mode() = 0;
  virtual bool IncludeCursor() = 0;
  virtual CaptureOptions Options() = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual void ShowMode(CaptureMode mode) = 0;
  virtual void SetIncludeCursorChecked(bool checked) = 0;
  virtual bool MainWindowVisible() = 0;
  // True when the main window is the foreground window.
  virtual bool MainWindowActive() = 0;
  virtual void HideMainWindow() = 0;
  virtual void ShowMainWindow() = 0;
  virtual void LoadFullScreen(const Raster& canvas) = 0;
  virtual void LoadPicture(const Raster& picture) = 0;
  virtual void ShowEditor() = 0;  // not modal
  virtual void ShowOverlay(const Raster& frozen_screen) = 0;
  // A monotonic clock in milliseconds.
  virtual std::int64_t NowMs() = 0;
};

// Hiding the main window takes effect on the screen only once the windows
// below it have repainted; the grab waits at least this long after it.
inline constexpr int kHideSettleMs = 250;

class CaptureCycle {
 public:
  CaptureCycle(HookLibrary& hook, ScreenAccess& screen, FrameWindow& frame, CycleHost& host);

  void Timer1Timer();
  // The five mode handlers: choosing the mode already chosen does nothing.
  void ChooseMode(CaptureMode mode);
  void IncludeCursorClick();
  void ArmCapture();
  void DisarmCapture();

  // The editor was closed (it has already re-armed the hotkey and Timer1).
  void EditorClosed();
  // The overlay was left without a region.
  void OverlayCancelled();
  // The user gave up the wait for the click (Esc): nothing is taken and
  // the cycle is armed again.
  void CancelWait();

  bool WaitingForClick() const { return waiting_for_click_; }
  // A hotkey press was seen and the grab waits for the delay or for the
  // hidden main window to leave the screen.
  bool CapturePending() const { return pending_due_ms_.has_value(); }

 private:
  void HotKeyPressed(CaptureMode mode);
  void StartCapture(CaptureMode mode);
  void FollowAndWait(CaptureMode mode);
  // FollowWindowFrame: the frame round the window or control under the
  // mouse, shown; hidden, and false, when there is none.
  bool FollowWindowFrame();
  // FollowFixedFrame: the frame round the `fixed` pixels centred on the
  // mouse, shown.
  void FollowFixedFrame(Size fixed);
  // The cuts out of a grabbed screen, each of the part of its rectangle on
  // the screen (empty when there is none): the foreground window, the
  // window or control under the mouse, and the `fixed` pixels inside the
  // frame where it was placed last.
  Raster CropForegroundWindow(const Raster& working);
  Raster CropWindowUnderCursor(const Raster& working);
  Raster CropFixedFrame(const Raster& working, Size fixed) const;
  Raster GrabWorking(bool include_cursor);
  // Ends a click wait without a capture.
  void EndWait();
  // Back to armed after a capture that produced nothing.
  void ReturnToArmed();
  void RestoreMainWindow();

  HookLibrary& hook_;
  ScreenAccess& screen_;
  FrameWindow& frame_;
  CycleHost& host_;

  bool waiting_for_click_ = false;
  bool main_hidden_ = false;
  std::optional<std::int64_t> pending_due_ms_;
  Rect frame_bounds_;
};

}  // namespace ksv::capture
