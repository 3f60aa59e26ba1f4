#include "app/win/forms.h"

#include "app/live_options.h"
#include "capture/win/capture_links.h"
#include "capture/win/hook/ksvmain.h"
#include "editor/win/editor_links.h"
#include "editor/win/save_form.h"
#include "video/win/video_links.h"

namespace ksv::app {

namespace {

// The main window as each subsystem sees it, read through Forms() at the
// moment of each call.
MainFormApi* Main() { return Forms().main; }

class CaptureMainLink : public capture::MainWindowLink {
 public:
  HWND Handle() const override { return Main() ? Main()->Handle() : nullptr; }
  CaptureMode LiveCaptureMode() const override {
    return Main() ? Main()->LiveCaptureMode() : CaptureMode::Region;
  }
  bool LiveIncludeCursor() const override { return Main() && Main()->LiveIncludeCursor(); }
  capture::CaptureOptions LiveCaptureOptions() const override {
    return Main() ? CaptureOptionsOf(Main()->LiveSettings()) : capture::CaptureOptions{};
  }
  void SetCaptureTimerEnabled(bool enabled) override {
    if (Main()) Main()->SetCaptureTimerEnabled(enabled);
  }
  void ShowCaptureMode(CaptureMode mode) override {
    if (Main()) Main()->ShowCaptureMode(mode);
  }
  void SetIncludeCursorChecked(bool checked) override {
    if (Main()) Main()->SetIncludeCursorChecked(checked);
  }
  bool MainWindowVisible() const override { return Main() && Main()->MainWindowVisible(); }
  void HideMainWindow() override {
    if (Main()) Main()->HideMainWindow();
  }
  void OpenMainWindow() override {
    if (Main()) Main()->OpenMainWindow();
  }
};

class EditorMainLink : public editor::MainWindowLink {
 public:
  HWND Handle() const override { return Main() ? Main()->Handle() : nullptr; }
  OutputSettings LiveOutputSettings() const override {
    return Main() ? OutputSettingsOf(Main()->LiveSettings()) : OutputSettings{};
  }
  bool LiveCaptureSound() const override { return Main() && Main()->LiveSettings().conventional.OverSound; }
  void SetCaptureTimerEnabled(bool enabled) override {
    if (Main()) Main()->SetCaptureTimerEnabled(enabled);
  }
  void OpenUpdateHistory() override {
    if (Main()) Main()->OpenUpdateHistory();
  }
  void OpenMail() override {
    if (Main()) Main()->OpenMail();
  }
  void OpenHomePage() override {
    if (Main()) Main()->OpenHomePage();
  }
};

class VideoMainLink : public video::MainWindowLink {
 public:
  HWND Handle() const override { return Main() ? Main()->Handle() : nullptr; }
  void OpenMainWindow() override {
    if (Main()) Main()->OpenMainWindow();
  }
};

// The capture side as the editor sees it.
class EditorCaptureLink : public editor::CaptureLink {
 public:
  HWND OverlayHandle() const override {
    const capture::OverlayApi* overlay = capture::Links().overlay;
    return overlay ? overlay->Handle() : nullptr;
  }
  void EditorClosed() override {
    if (capture::CaptureApi* cycle = capture::Links().capture) cycle->EditorClosed();
  }
};

// The editor as the capture side hands it its pictures: whichever editor
// window registered itself.
class EditorPictureSink : public capture::PictureSink {
 public:
  void LoadFullScreen(const Raster& canvas) override {
    if (editor::TSaveForm* e = editor::Links().editor) e->LoadFullScreen(canvas);
  }
  void LoadRegion(const Raster& canvas, POINT drag_start) override {
    if (editor::TSaveForm* e = editor::Links().editor) e->LoadRegion(canvas, drag_start);
  }
  void LoadPicture(const Raster& picture) override {
    if (editor::TSaveForm* e = editor::Links().editor) e->LoadPicture(picture);
  }
  void ShowEditor(bool modal) override {
    if (editor::TSaveForm* e = editor::Links().editor) e->ShowEditor(modal);
  }
};

CaptureMainLink g_capture_main;
EditorMainLink g_editor_main;
VideoMainLink g_video_main;
EditorCaptureLink g_editor_capture;
EditorPictureSink g_editor_sink;

// Sets a link to this module's own, or takes it out again when it still
// points there (a test's fake stays).
template <typename T>
void Connect(T*& link, T* mine, bool on) {
  if (on) {
    link = mine;
  } else if (link == mine) {
    link = nullptr;
  }
}

}  // namespace

FormsRegistry& Forms() {
  static FormsRegistry forms;
  return forms;
}

void RegisterMainForm(MainFormApi* form) {
  Forms().main = form;
  const bool on = form != nullptr;
  Connect<capture::MainWindowLink>(capture::Links().main, &g_capture_main, on);
  Connect<editor::MainWindowLink>(editor::Links().main, &g_editor_main, on);
  Connect<video::MainWindowLink>(video::Links().main, &g_video_main, on);
}

void ConnectEditor(editor::TSaveForm& editor) {
  capture::Links().editor = &g_editor_sink;
  editor::Links().capture = &g_editor_capture;

  editor::EditorSystem& system = editor.System();
  system.enable_hot_key_hook = [] { EnableHotKeyHook(); };
  system.play_voice = [] { PlayVoice(); };
}

}  // namespace ksv::app
