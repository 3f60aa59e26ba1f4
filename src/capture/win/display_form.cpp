#include "capture/win/display_form.h"

namespace ksv::capture {

TDisPlayForm::~TDisPlayForm() {
  if (ui::Forms().overlay == this) ui::Forms().overlay = nullptr;
}

bool TDisPlayForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.style = WS_POPUP;
  p.ex_style = WS_EX_TOOLWINDOW;
  p.x = p.y = 0;
  p.width = GetSystemMetrics(SM_CXSCREEN);
  p.height = GetSystemMetrics(SM_CYSCREEN);
  if (!Create(p)) return false;
  ui::Forms().overlay = this;
  return true;
}

void TDisPlayForm::ShowOverlay(const Raster& frozen_screen) {
  frozen_ = frozen_screen;
  ShowWindow(hwnd(), SW_SHOW);
}

void TDisPlayForm::HideOverlay() { ShowWindow(hwnd(), SW_HIDE); }

}  // namespace ksv::capture
