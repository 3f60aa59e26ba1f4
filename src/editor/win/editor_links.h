// How the editor reaches the rest of the program. The editor needs the main
// window (the live save options, the sound option, Timer1 and the help
// items) and the capture side (the overlay it must keep disabled, the
// notice that it closed), but may not know either: it declares here what
// it needs, the application connects the real windows, tests put fakes
// in. The editor window registers itself here for the capture side.
#pragma once

#include <windows.h>

#include "output/naming.h"

namespace ksv::editor {

class TSaveForm;

// The main window as the editor sees it. The live values are read from its
// option pages at the moment of use, never cached by the caller.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual HWND Handle() const = 0;
  // The page "存储" as it stands now.
  virtual OutputSettings LiveOutputSettings() const = 0;
  // Whether a capture shown in the editor is announced with the sound
  // (the page "常规").
  virtual bool LiveCaptureSound() const = 0;
  // Timer1, the 50 ms capture timer.
  virtual void SetCaptureTimerEnabled(bool enabled) = 0;
  virtual void OpenUpdateHistory() = 0;  // "更新历史"
  virtual void OpenMail() = 0;           // "联系我们"
  virtual void OpenHomePage() = 0;       // "官方网站"
};

// The capture side as the editor sees it.
class CaptureLink {
 public:
  virtual ~CaptureLink() = default;
  // The region overlay, disabled with the main window while the editor is
  // modal; null when there is none.
  virtual HWND OverlayHandle() const = 0;
  // The editor was closed (after it re-enabled Timer1 and the hotkey hook):
  // the cycle puts back what it changed for the capture.
  virtual void EditorClosed() = 0;
};

// Process-wide references, null until connected or created; not owned.
struct EditorLinks {
  MainWindowLink* main = nullptr;  // connected by the application
  CaptureLink* capture = nullptr;  // connected by the application
  TSaveForm* editor = nullptr;     // the editor window, by itself
};

EditorLinks& Links();

}  // namespace ksv::editor
