// How the program's windows reach each other. Each window exists once for
// the whole run. The subsystems do not know each other: each declares the
// small interface it needs of the others in its own links (capture,
// editor, video), and this is where the application connects them to the
// real windows. Tests connect fakes instead.
#pragma once

#include <windows.h>

#include "app/settings.h"
#include "capture/capture_mode.h"

namespace ksv::editor {
class TSaveForm;
}

namespace ksv::app {

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

// Process-wide references; not owned, null until the window exists.
struct FormsRegistry {
  MainFormApi* main = nullptr;
};

FormsRegistry& Forms();

// Registers the main window (null: takes it out again) and connects it to
// what the capture side, the editor and the camera window need of it.
void RegisterMainForm(MainFormApi* form);

// Connects the editor to the capture side both ways (the pictures in, the
// overlay and the close notice out) and binds the hook library for it.
void ConnectEditor(editor::TSaveForm& editor);

}  // namespace ksv::app
