// Stand-ins for the main window, the editor and the capture cycle, put in
// ui::Forms() so the capture windows can be driven alone under Wine.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/raster.h"
#include "ui/forms.h"

namespace ksv::capture::testing {

class FakeMain : public ui::MainFormApi {
 public:
  HWND Handle() const override { return nullptr; }
  Settings LiveSettings() const override { return settings; }
  CaptureMode LiveCaptureMode() const override { return mode; }
  bool LiveIncludeCursor() const override { return include_cursor; }
  void SetCaptureTimerEnabled(bool enabled) override { timer = enabled; }
  bool CaptureTimerEnabled() const override { return timer; }
  void ShowCaptureMode(CaptureMode m) override { mode = m; }
  void SetIncludeCursorChecked(bool checked) override { include_cursor = checked; }
  bool MainWindowVisible() const override { return visible; }
  void HideMainWindow() override { visible = false; }
  void OpenMainWindow() override { visible = true; }
  void OpenUpdateHistory() override {}
  void OpenMail() override {}
  void OpenHomePage() override {}

  Settings settings;
  CaptureMode mode = CaptureMode::Region;
  bool include_cursor = false;
  bool timer = true;
  bool visible = false;
};

class FakeEditor : public ui::EditorApi {
 public:
  HWND Handle() const override { return nullptr; }
  void LoadFullScreen(const Raster& canvas) override {
    loads.push_back("LoadFullScreen");
    picture = canvas;
  }
  void LoadRegion(const Raster& canvas, POINT start) override {
    loads.push_back("LoadRegion");
    picture = canvas;
    drag_start = start;
    GetCursorPos(&drag_end);
  }
  void LoadPicture(const Raster& p) override {
    loads.push_back("LoadPicture");
    picture = p;
  }
  void ShowEditor(bool m) override {
    shown = true;
    modal = m;
  }
  bool EditorVisible() const override { return shown; }

  std::vector<std::string> loads;
  Raster picture;
  POINT drag_start{};
  POINT drag_end{};
  bool shown = false;
  bool modal = false;
};

class FakeCapture : public ui::CaptureApi {
 public:
  void EditorClosed() override { ++editor_closed; }
  void OverlayCancelled() override { ++cancelled; }
  int editor_closed = 0;
  int cancelled = 0;
};

// Puts the fakes in Forms() for the life of the object and takes them out
// again.
class FakeForms {
 public:
  FakeForms();
  ~FakeForms();
  FakeMain main;
  FakeEditor editor;
  FakeCapture capture;

 private:
  ui::FormsRegistry saved_;
};

// Dispatches messages until the condition holds or the timeout passes.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace ksv::capture::testing
