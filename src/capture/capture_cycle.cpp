#include "capture/capture_cycle.h"

#include <algorithm>

namespace ksv::capture {

CaptureCycle::CaptureCycle(HookLibrary& hook, ScreenAccess& screen, FrameWindow& frame, CycleHost& host)
    : hook_(hook), screen_(screen), frame_(frame), host_(host) {}

void CaptureCycle::ArmCapture() {
  hook_.EnableHotKeyHook();
  host_.SetTimerEnabled(true);
}

void CaptureCycle::DisarmCapture() {
  hook_.DisableHotKeyHook();
  host_.SetTimerEnabled(false);
}

void CaptureCycle::ChooseMode(CaptureMode mode) {
  if (host_.Mode() == mode) return;
  // A wait or a delayed grab of the old mode must not outlive it: it would
  // come back the next time that mode is chosen, without a hotkey.
  const bool abandoned = waiting_for_click_ || pending_due_ms_.has_value();
  EndWait();
  pending_due_ms_.reset();
  host_.ShowMode(mode);
  ArmCapture();
  if (abandoned) RestoreMainWindow();
}

void CaptureCycle::IncludeCursorClick() { host_.SetIncludeCursorChecked(!host_.IncludeCursor()); }

void CaptureCycle::EditorClosed() { RestoreMainWindow(); }

void CaptureCycle::OverlayCancelled() {
  ArmCapture();
  RestoreMainWindow();
}

void CaptureCycle::CancelWait() {
  if (!waiting_for_click_) return;
  EndWait();
  ReturnToArmed();
}

void CaptureCycle::Timer1Timer() {
  const CaptureMode mode = host_.Mode();
  if (pending_due_ms_) {
    if (host_.NowMs() < *pending_due_ms_) return;
    pending_due_ms_.reset();
    StartCapture(mode);
  } else if (hook_.GetDownHotKey()) {
    HotKeyPressed(mode);
  }
  if (waiting_for_click_ && (mode == CaptureMode::AxtiveObject || mode == CaptureMode::FixRegion)) {
    FollowAndWait(mode);
  }
}

void CaptureCycle::HotKeyPressed(CaptureMode mode) {
  const CaptureOptions options = host_.Options();
  int wait_ms = std::max(options.delay_ms, 0);
  // Taking the active window while the main window is that window means
  // taking the main window: it stays.
  const bool takes_main = mode == CaptureMode::ActiveWindow && host_.MainWindowActive();
  if (options.hide_main_window && !takes_main && host_.MainWindowVisible()) {
    host_.HideMainWindow();
    main_hidden_ = true;
    wait_ms = std::max(wait_ms, kHideSettleMs);
  }
  if (wait_ms == 0) {
    StartCapture(mode);
    return;
  }
  // Further presses are not wanted while the grab is due; the timer keeps
  // running so the user interface stays alive.
  hook_.DisableHotKeyHook();
  pending_due_ms_ = host_.NowMs() + wait_ms;
}

Raster CaptureCycle::GrabWorking(bool include_cursor) {
  Raster working = screen_.GrabScreen();
  if (include_cursor) screen_.DrawCursor(working);
  return working;
}

void CaptureCycle::StartCapture(CaptureMode mode) {
  switch (mode) {
    case CaptureMode::Region: {
      Raster working = GrabWorking(host_.IncludeCursor());
      DisarmCapture();
      host_.ShowOverlay(working);
      break;
    }
    case CaptureMode::FullScreen: {
      Raster working = GrabWorking(host_.IncludeCursor());
      DisarmCapture();
      host_.LoadFullScreen(working);
      host_.ShowEditor();
      break;
    }
    case CaptureMode::AxtiveObject:
    case CaptureMode::FixRegion:
      waiting_for_click_ = true;
      hook_.EnableMouseHook();
      hook_.DisableHotKeyHook();
      break;
    case CaptureMode::ActiveWindow: {
      Raster working = GrabWorking(host_.IncludeCursor());
      Raster picture = CropForegroundWindow(working);
      if (picture.Empty()) {
        ReturnToArmed();
        break;
      }
      host_.LoadPicture(picture);
      DisarmCapture();
      host_.ShowEditor();
      break;
    }
  }
}

void CaptureCycle::FollowAndWait(CaptureMode mode) {
  const Size fixed = host_.Options().fixed;
  bool placed = true;
  if (mode == CaptureMode::AxtiveObject)
    placed = FollowWindowFrame();
  else
    FollowFixedFrame(fixed);
  if (placed) frame_.BringToForeground();
  if (!hook_.GetMouseDown()) return;

  Raster working = GrabWorking(host_.IncludeCursor());
  waiting_for_click_ = false;
  frame_.Hide();
  const Raster picture =
      mode == CaptureMode::AxtiveObject ? CropWindowUnderCursor(working) : CropFixedFrame(working, fixed);
  if (picture.Empty()) {
    hook_.SetMouseDown(false);
    hook_.DisableMouseHook();
    ReturnToArmed();
    return;
  }
  host_.LoadPicture(picture);
  host_.ShowEditor();
  hook_.SetMouseDown(false);
  hook_.DisableMouseHook();
  host_.SetTimerEnabled(false);
}

bool CaptureCycle::FollowWindowFrame() {
  const std::optional<Rect> window = screen_.WindowRectUnderCursor();
  if (!window) {
    frame_.Hide();
    return false;
  }
  frame_bounds_ = WindowFrameBounds(*window);
  frame_.Place(frame_bounds_);
  return true;
}

void CaptureCycle::FollowFixedFrame(Size fixed) {
  frame_bounds_ = FixedFrameBounds(screen_.CursorPos(), fixed);
  frame_.Place(frame_bounds_);
}

Raster CaptureCycle::CropForegroundWindow(const Raster& working) {
  const std::optional<Rect> window = screen_.ForegroundWindowRect();
  return window ? CropPicture(working, *window) : Raster();
}

Raster CaptureCycle::CropWindowUnderCursor(const Raster& working) {
  const std::optional<Rect> window = screen_.WindowRectUnderCursor();
  return window ? CropPicture(working, *window) : Raster();
}

Raster CaptureCycle::CropFixedFrame(const Raster& working, Size fixed) const {
  return CropPicture(working, FixedFrameArea(frame_bounds_, fixed));
}

void CaptureCycle::EndWait() {
  if (!waiting_for_click_) return;
  waiting_for_click_ = false;
  frame_.Hide();
  hook_.SetMouseDown(false);
  hook_.DisableMouseHook();
}

void CaptureCycle::ReturnToArmed() {
  ArmCapture();
  RestoreMainWindow();
}

void CaptureCycle::RestoreMainWindow() {
  if (!main_hidden_) return;
  main_hidden_ = false;
  host_.ShowMainWindow();
}

}  // namespace ksv::capture
