// A stand-in for the main window, as the capture side and the editor see
// it: the option pages' values are plain members the test sets, and the
// calls the editor makes are recorded in `calls`. Header-only, so a test
// program links only the subsystem it drives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/live_options.h"
#include "app/settings.h"
#include "capture/win/capture_links.h"
#include "editor/win/editor_links.h"

namespace ksv::wintest {

class FakeMainWindow : public capture::MainWindowLink, public editor::MainWindowLink {
 public:
  HWND Handle() const override { return nullptr; }
  // The pages go through the application's own reading of them.
  CaptureMode LiveCaptureMode() const override { return mode; }
  bool LiveIncludeCursor() const override { return include_cursor; }
  capture::CaptureOptions LiveCaptureOptions() const override { return CaptureOptionsOf(settings); }
  OutputSettings LiveOutputSettings() const override { return OutputSettingsOf(settings); }
  bool LiveCaptureSound() const override { return settings.conventional.OverSound; }
  void SetCaptureTimerEnabled(bool enabled) override {
    timer = enabled;
    calls.push_back(enabled ? "timer on" : "timer off");
  }
  void ShowCaptureMode(CaptureMode m) override { mode = m; }
  void SetIncludeCursorChecked(bool checked) override { include_cursor = checked; }
  bool MainWindowVisible() const override { return visible; }
  void HideMainWindow() override { visible = false; }
  void OpenMainWindow() override { visible = true; }
  void OpenUpdateHistory() override { calls.push_back("update history"); }
  void OpenMail() override { calls.push_back("mail"); }
  void OpenHomePage() override { calls.push_back("home page"); }

  Settings settings;
  CaptureMode mode = CaptureMode::Region;
  bool include_cursor = false;
  bool timer = true;
  bool visible = false;
  std::vector<std::string> calls;
};

}  // namespace ksv::wintest
