#include "capture/win/select_area_form.h"

namespace ksv::capture {

TSelectAreaForm::~TSelectAreaForm() {
  if (ui::Forms().select_area == this) ui::Forms().select_area = nullptr;
}

bool TSelectAreaForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.style = WS_POPUP;
  p.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  p.x = p.y = 0;
  p.width = p.height = 10;
  p.background = CreateSolidBrush(RGB(0, 0, 255));
  if (!Create(p)) return false;
  ui::Forms().select_area = this;
  return true;
}

void TSelectAreaForm::ShowFrame(const RECT& r) {
  SetWindowPos(hwnd(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TSelectAreaForm::HideFrame() { ShowWindow(hwnd(), SW_HIDE); }

}  // namespace ksv::capture
