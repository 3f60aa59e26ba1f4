// Stand-ins for the windows the editor talks to, and small helpers for
// driving a window from a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/main_window_fake.h"
#include "common/pump.h"
#include "core/raster.h"
#include "editor/win/editor_links.h"

namespace ksv::editor::testing {

// The main window as the editor sees it: live settings and the capture
// timer, with every call recorded in `calls`.
using FakeMainForm = wintest::FakeMainWindow;
using wintest::PumpPending;
using wintest::PumpUntil;

// The capture side as the editor sees it: no overlay, and the close notice
// recorded among the main window's calls.
class FakeCapture : public CaptureLink {
 public:
  explicit FakeCapture(std::vector<std::string>& calls) : calls_(calls) {}
  HWND OverlayHandle() const override { return nullptr; }
  void EditorClosed() override { calls_.push_back("editor closed"); }

 private:
  std::vector<std::string>& calls_;
};

// Puts the fakes in Links() for the life of the object.
class ScopedForms {
 public:
  ScopedForms(MainWindowLink* main, CaptureLink* capture);
  ~ScopedForms();

 private:
  EditorLinks saved_;
};

// A picture whose every pixel differs from its neighbours, so a turned,
// shifted or scaled copy never equals it.
Raster Pattern(int width, int height);

}  // namespace ksv::editor::testing
