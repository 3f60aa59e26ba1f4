// How the capture windows reach the rest of the program. The capture cycle
// needs the main window (its mode, options and Timer1) and somewhere to
// hand its pictures (the editor), but may not know either: it declares
// here what it needs, the application connects the real windows, tests put
// fakes in. Its own windows register themselves here too.
#pragma once

#include <windows.h>

#include "capture/capture_cycle.h"
#include "capture/capture_mode.h"
#include "core/raster.h"

namespace ksv::capture {

// The main window as the capture cycle sees it. The live values are read
// from its option pages at the moment of use, never cached by the caller.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual HWND Handle() const = 0;
  virtual CaptureMode LiveCaptureMode() const = 0;
  virtual bool LiveIncludeCursor() const = 0;
  virtual CaptureOptions LiveCaptureOptions() const = 0;
  // Timer1, the 50 ms capture timer.
  virtual void SetCaptureTimerEnabled(bool enabled) = 0;
  // The mode items' check marks and the mode buttons, kept in step.
  virtual void ShowCaptureMode(CaptureMode mode) = 0;
  virtual void SetIncludeCursorChecked(bool checked) = 0;
  virtual bool MainWindowVisible() const = 0;
  virtual void HideMainWindow() = 0;
  // Shows the main window again after a capture.
  virtual void OpenMainWindow() = 0;
};

// Where a capture goes (the image editor).
class PictureSink {
 public:
  virtual ~PictureSink() = default;
  // A whole-screen canvas.
  virtual void LoadFullScreen(const Raster& canvas) = 0;
  // The overlay's frozen screen; the drag began at drag_start (screen
  // coordinates) and ends where the cursor is now.
  virtual void LoadRegion(const Raster& canvas, POINT drag_start) = 0;
  // A ready picture (active window, control, fixed region).
  virtual void LoadPicture(const Raster& picture) = 0;
  // Shows the editor; with modal set, returns when it is closed.
  virtual void ShowEditor(bool modal) = 0;
};

// The full-screen region overlay.
class OverlayApi {
 public:
  virtual ~OverlayApi() = default;
  virtual HWND Handle() const = 0;
  // Shows the frozen screen and lets the user drag a region.
  virtual void ShowOverlay(const Raster& frozen_screen) = 0;
  virtual void HideOverlay() = 0;
};

// The blue ring that marks the area the control and fixed modes will take.
class SelectFrameApi {
 public:
  virtual ~SelectFrameApi() = default;
  virtual HWND Handle() const = 0;
  // Places the ring around a screen rectangle and shows it.
  virtual void ShowFrame(const RECT& screen_rect) = 0;
  virtual void HideFrame() = 0;
};

// The capture cycle, as the overlay and the editor's side of the program
// see it.
class CaptureApi {
 public:
  virtual ~CaptureApi() = default;
  // The editor was closed (after the editor has re-enabled Timer1 and the
  // hotkey hook): the cycle puts back what it changed for the capture,
  // such as a main window it hid.
  virtual void EditorClosed() = 0;
  // The overlay was left without a region (Esc or a right click): the
  // cycle is armed again.
  virtual void OverlayCancelled() = 0;
};

// Process-wide references; a pointer is null until its window exists or
// is connected. None of them is owned.
struct CaptureLinks {
  // Connected by the application.
  MainWindowLink* main = nullptr;
  PictureSink* editor = nullptr;
  // The capture side's own windows and service, registered by themselves.
  OverlayApi* overlay = nullptr;
  SelectFrameApi* select_area = nullptr;
  CaptureApi* capture = nullptr;
};

CaptureLinks& Links();

}  // namespace ksv::capture
