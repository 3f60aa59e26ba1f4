#include "video/win/video_form.h"

#include "ui/modal_loop.h"

namespace ksv::video {

TVideoForm::~TVideoForm() {
  if (Links().video == this) Links().video = nullptr;
}

bool TVideoForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.caption = L"摄像头捕捉";
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  p.width = 520;
  p.height = 460;
  if (!Create(p)) return false;
  Links().video = this;
  return true;
}

void TVideoForm::ShowVideoModal() {
  if (modal_) return;
  modal_ = true;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  ui::RunModalLoop({Links().main ? Links().main->Handle() : nullptr}, [this] { return modal_; });
  modal_ = false;
  if (Links().main) Links().main->OpenMainWindow();
}

LRESULT TVideoForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CLOSE) {
    ShowWindow(hwnd(), SW_HIDE);
    modal_ = false;
    return 0;
  }
  return DefaultHandler(msg, wparam, lparam);
}

}  // namespace ksv::video
