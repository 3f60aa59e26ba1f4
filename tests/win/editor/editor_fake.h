// Stand-ins for the windows the editor talks to, and small helpers for
// driving a window from a test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "core/raster.h"
#include "ui/forms.h"

namespace ksv::editor::testing {

// The main window as the editor sees it: live settings and the capture
// timer, with every call recorded in `calls`.
class FakeMainForm : public ui::MainFormApi {
 public:
  HWND Handle() const override { return nullptr; }
  Settings LiveSettings() const override { return settings; }
  CaptureMode LiveCaptureMode() const override { return CaptureMode::Region; }
  bool LiveIncludeCursor() const override { return true; }
  void SetCaptureTimerEnabled(bool enabled) override {
    timer = enabled;
    calls.push_back(enabled ? "timer on" : "timer off");
  }
  bool CaptureTimerEnabled() const override { return timer; }
  void ShowCaptureMode(CaptureMode) override {}
  void SetIncludeCursorChecked(bool) override {}
  bool MainWindowVisible() const override { return false; }
  void HideMainWindow() override {}
  void OpenMainWindow() override {}
  void OpenUpdateHistory() override { calls.push_back("update history"); }
  void OpenMail() override { calls.push_back("mail"); }
  void OpenHomePage() override { calls.push_back("home page"); }

  Settings settings;
  bool timer = false;
  mutable std::vector<std::string> calls;
};

class FakeCapture : public ui::CaptureApi {
 public:
  explicit FakeCapture(std::vector<std::string>& calls) : calls_(calls) {}
  void EditorClosed() override { calls_.push_back("editor closed"); }
  void OverlayCancelled() override { calls_.push_back("overlay cancelled"); }

 private:
  std::vector<std::string>& calls_;
};

// Puts the fakes in Forms() for the life of the object.
class ScopedForms {
 public:
  ScopedForms(ui::MainFormApi* main, ui::CaptureApi* capture);
  ~ScopedForms();

 private:
  ui::FormsRegistry saved_;
};

// Dispatches this thread's messages until `done` says so or the timeout
// passes; true when `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);
// Dispatches what is queued now.
void PumpPending();

// A picture whose every pixel differs from its neighbours, so a turned,
// shifted or scaled copy never equals it.
Raster Pattern(int width, int height);

}  // namespace ksv::editor::testing
