// Stand-ins for the editor and the capture cycle, and the common main
// window, put in the capture side's links so the capture windows can be
// driven alone under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "capture/win/capture_links.h"
#include "common/main_window_fake.h"
#include "common/pump.h"
#include "core/raster.h"

namespace ksv::capture::testing {

using wintest::PumpUntil;

class FakeEditor : public PictureSink {
 public:
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

  std::vector<std::string> loads;
  Raster picture;
  POINT drag_start{};
  POINT drag_end{};
  bool shown = false;
  bool modal = false;
};

class FakeCapture : public CaptureApi {
 public:
  void EditorClosed() override { ++editor_closed; }
  void OverlayCancelled() override { ++cancelled; }
  int editor_closed = 0;
  int cancelled = 0;
};

// Puts the fakes in Links() for the life of the object and takes them out
// again.
class FakeForms {
 public:
  FakeForms();
  ~FakeForms();
  wintest::FakeMainWindow main;
  FakeEditor editor;
  FakeCapture capture;

 private:
  CaptureLinks saved_;
};

}  // namespace ksv::capture::testing
