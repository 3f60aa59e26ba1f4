#include "app/win/ksv_form.h"

#include <commctrl.h>

#include "../../../resources/resource.h"
#include "capture/win/hook/ksvmain.h"
#include "ui/font.h"

namespace ksv::app {
namespace {
constexpr int kClientWidth = 496;
constexpr int kClientHeight = 306;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}  // namespace

bool TKSVForm::CreateForm() {
  RECT r{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  CreateParams p;
  p.class_name = kClassName;
  p.caption = L"万象快拍宗师";
  p.style = kStyle;
  p.width = w;
  p.height = h;
  p.x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  p.y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  p.icon = LoadIconW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_KSV));
  p.small_icon = static_cast<HICON>(
      LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_KSV), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  return Create(p);
}

void TKSVForm::Show() {
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void TKSVForm::FormCreate() {
  status_bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                                nullptr, ui::ModuleInstance(), nullptr);
  int parts[] = {280, -1};
  SendMessageW(status_bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"欢迎使用。截图快捷键：Ctrl+B"));
  SendMessageW(status_bar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"万象快拍宗师 · 截图从未如此简单"));
  ui::ApplyUiFont(hwnd());
  EnableHotKeyHook();
}

void TKSVForm::FormClose() { QuitClick(); }

void TKSVForm::QuitClick() {
  DisableHotKeyHook();
  DestroyWindow(hwnd());
}

LRESULT TKSVForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      if (status_bar_) SendMessageW(status_bar_, WM_SIZE, 0, 0);
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandler(msg, wparam, lparam);
  }
}

}  // namespace ksv::app
