#include "editor/win/save_form.h"

namespace ksv::editor {

TSaveForm::~TSaveForm() {
  if (ui::Forms().editor == this) ui::Forms().editor = nullptr;
}

bool TSaveForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.caption = L"图像编辑";
  p.style = WS_OVERLAPPEDWINDOW;
  p.width = 746;
  p.height = 536;
  if (!Create(p)) return false;
  ui::Forms().editor = this;
  return true;
}

void TSaveForm::LoadFullScreen(const Raster& canvas) { picture_ = canvas; }
void TSaveForm::LoadRegion(const Raster& canvas, POINT) { picture_ = canvas; }
void TSaveForm::LoadPicture(const Raster& picture) { picture_ = picture; }

void TSaveForm::ShowEditor(bool) { ShowWindow(hwnd(), SW_SHOW); }

bool TSaveForm::EditorVisible() const { return IsWindowVisible(hwnd()) != FALSE; }

LRESULT TSaveForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CLOSE) {
    ShowWindow(hwnd(), SW_HIDE);
    return 0;
  }
  return DefaultHandler(msg, wparam, lparam);
}

}  // namespace ksv::editor
