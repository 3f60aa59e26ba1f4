// How the program's five windows reach each other. Each window exists once
// for the whole run and registers itself in Forms() when it is created;
// the others call it through these small interfaces, so each window can be
// built and tested without the real others (tests put fakes in Forms()).
#pragma once

#include <windows.h>

#include "app/settings.h"
#include "capture/capture_mode.h"
#include "core/raster.h"

namespace ksv::ui {

// The main window: owner of the live settings and of the capture timer.
class MainFormApi {
 public:
  virtual ~MainFormApi() = default;
  virtual HWND Handle() const = 0;
  // The option pages' controls as they stand now (read at the moment of
  // use, never cached by the caller).
  virtual Settings LiveSettings() const = 0;
  virtual CaptureMode LiveCaptureMode() const = 0;
  virtual bool LiveIncludeCursor() const = 0;
  // Timer1, the 50 ms capture timer.
  virtual void SetCaptureTimerEnabled(bool enabled) = 0;
  virtual bool CaptureTimerEnabled() const = 0;
  // The mode items' check marks and the mode buttons, kept in step.
  virtual void ShowCaptureMode(CaptureMode mode) = 0;
  virtual void SetIncludeCursorChecked(bool checked) = 0;
  virtual bool MainWindowVisible() const = 0;
  virtual void HideMainWindow() = 0;
  // Shows the main window again after a capture or the camera window.
  virtual void OpenMainWindow() = 0;
  virtual void OpenUpdateHistory() = 0;  // "更新历史"
  virtual void OpenMail() = 0;           // "联系我们"
  virtual void OpenHomePage() = 0;       // "官方网站"
};

// The image editor.
class EditorApi {
 public:
  virtual ~EditorApi() = default;
  virtual HWND Handle() const = 0;
  // A whole-screen canvas.
  virtual void LoadFullScreen(const Raster& canvas) = 0;
  // The overlay's frozen screen; the drag began at drag_start (screen
  // coordinates) and ends where the cursor is now.
  virtual void LoadRegion(const Raster& canvas, POINT drag_start) = 0;
  // A ready picture (active window, control, fixed region).
  virtual void LoadPicture(const Raster& picture) = 0;
  // Shows the editor; with modal set, returns when it is closed.
  virtual void ShowEditor(bool modal) = 0;
  virtual bool EditorVisible() const = 0;
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

// The camera window.
class VideoApi {
 public:
  virtual ~VideoApi() = default;
  virtual HWND Handle() const = 0;
  virtual void ShowVideoModal() = 0;
};

// The capture cycle, as the other windows see it.
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

// Process-wide references; a pointer is null until its window exists.
// The windows own themselves; these are not owning.
struct FormsRegistry {
  MainFormApi* main = nullptr;
  SelectFrameApi* select_area = nullptr;
  EditorApi* editor = nullptr;
  OverlayApi* overlay = nullptr;
  VideoApi* video = nullptr;
  CaptureApi* capture = nullptr;
};

FormsRegistry& Forms();

}  // namespace ksv::ui
