#include "capture/win/capture_service.h"

#include <windows.h>

#include "capture/win/hook/ksvmain.h"
#include "capture/win/screen_win.h"
#include "ui/message_loop.h"

namespace ksv::capture {

namespace {

class DllHook : public HookLibrary {
 public:
  void EnableHotKeyHook() override { ::EnableHotKeyHook(); }
  void DisableHotKeyHook() override { ::DisableHotKeyHook(); }
  bool GetDownHotKey() override { return ::GetDownHotKey() != FALSE; }
  void EnableMouseHook() override { ::EnableMouseHook(); }
  void DisableMouseHook() override { ::DisableMouseHook(); }
  bool GetMouseDown() override { return ::GetMouseDown() != FALSE; }
  void SetMouseDown(bool down) override { ::SetMouseDown(down ? TRUE : FALSE); }
};

class Win32Screen : public ScreenAccess {
 public:
  Raster GrabScreen() override { return capture::GrabScreen(); }
  void DrawCursor(Raster& working) override { capture::DrawCursor(working); }
  Point CursorPos() override { return CursorPosition(); }
  std::optional<Rect> ForegroundWindowRect() override { return capture::ForegroundWindowRect(); }
  std::optional<Rect> WindowRectUnderCursor() override { return capture::WindowRectUnderCursor(); }
};

class SelectFrame : public FrameWindow {
 public:
  void Place(const Rect& bounds) override {
    if (SelectFrameApi* frame = Links().select_area) {
      // The frame takes the area it rings and keeps its margin round it.
      frame->ShowFrame(RECT{bounds.left + kFrameMargin, bounds.top + kFrameMargin,
                            bounds.right - kFrameMargin, bounds.bottom - kFrameMargin});
    }
  }
  void BringToForeground() override {
    if (SelectFrameApi* frame = Links().select_area) SetForegroundWindow(frame->Handle());
  }
  void Hide() override {
    if (SelectFrameApi* frame = Links().select_area) frame->HideFrame();
  }
};

// The main window, the editor and the overlay, reached through Links().
class LinksHost : public CycleHost {
 public:
  CaptureMode Mode() override { return main() ? main()->LiveCaptureMode() : CaptureMode::Region; }
  bool IncludeCursor() override { return main() && main()->LiveIncludeCursor(); }
  CaptureOptions Options() override { return main() ? main()->LiveCaptureOptions() : CaptureOptions{}; }
  void SetTimerEnabled(bool enabled) override {
    if (main()) main()->SetCaptureTimerEnabled(enabled);
  }
  void ShowMode(CaptureMode mode) override {
    if (main()) main()->ShowCaptureMode(mode);
  }
  void SetIncludeCursorChecked(bool checked) override {
    if (main()) main()->SetIncludeCursorChecked(checked);
  }
  bool MainWindowVisible() override { return main() && main()->MainWindowVisible(); }
  bool MainWindowActive() override {
    if (!main() || !main()->Handle()) return false;
    const HWND fg = GetForegroundWindow();
    return fg && (fg == main()->Handle() || GetAncestor(fg, GA_ROOTOWNER) == main()->Handle());
  }
  void HideMainWindow() override {
    if (main()) main()->HideMainWindow();
  }
  void ShowMainWindow() override {
    if (main()) main()->OpenMainWindow();
  }
  void LoadFullScreen(const Raster& canvas) override {
    if (editor()) editor()->LoadFullScreen(canvas);
  }
  void LoadPicture(const Raster& picture) override {
    if (editor()) editor()->LoadPicture(picture);
  }
  void ShowEditor() override {
    if (editor()) editor()->ShowEditor(false);
  }
  void ShowOverlay(const Raster& frozen_screen) override {
    if (OverlayApi* overlay = Links().overlay) overlay->ShowOverlay(frozen_screen);
  }
  std::int64_t NowMs() override { return static_cast<std::int64_t>(GetTickCount64()); }

 private:
  static MainWindowLink* main() { return Links().main; }
  static PictureSink* editor() { return Links().editor; }
};

DllHook g_hook;
Win32Screen g_screen;
SelectFrame g_frame;
LinksHost g_host;

}  // namespace

CaptureService::CaptureService() : cycle_(g_hook, g_screen, g_frame, g_host) {}

CaptureService& CaptureService::Instance() {
  static CaptureService service;
  return service;
}

void CaptureService::Register() { Links().capture = this; }

void CaptureService::Timer1Timer() { cycle_.Timer1Timer(); }

void CaptureService::ChooseMode(CaptureMode mode) { cycle_.ChooseMode(mode); }

void CaptureService::IncludeCursorClick() { cycle_.IncludeCursorClick(); }

void CaptureService::CutBtnClick() {
  // Marked as the program's own keys: the hook library records them like
  // any Ctrl+B, and the message loop never takes them for the shortcut that
  // leads back here.
  const auto key = [](BYTE vk, DWORD flags) {
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), flags, ui::kSyntheticKeyExtraInfo);
  };
  key(VK_CONTROL, 0);
  key('B', 0);
  key('B', KEYEVENTF_KEYUP);
  key(VK_CONTROL, KEYEVENTF_KEYUP);
}

void CaptureService::ArmCapture() { cycle_.ArmCapture(); }

void CaptureService::DisarmCapture() { cycle_.DisarmCapture(); }

void CaptureService::EditorClosed() { cycle_.EditorClosed(); }

void CaptureService::OverlayCancelled() { cycle_.OverlayCancelled(); }

void CaptureService::WaitCancelled() { cycle_.CancelWait(); }

}  // namespace ksv::capture
