#include "ui/controls.h"

#include <commctrl.h>

#include "core/text.h"
#include "ui/window.h"

namespace ksv::ui {

std::wstring Wide(std::string_view utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

std::string Utf8(const std::wstring& wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

HWND CreateChild(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style, int id,
                 int x, int y, int width, int height, DWORD ex_style) {
  return CreateWindowExW(ex_style, window_class, text.c_str(), style | WS_CHILD, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
}

std::wstring WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

void SetWindowTextIfDifferent(HWND hwnd, const std::wstring& text) {
  if (WindowText(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

HWND CreateHintWindow(HWND owner) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             ModuleInstance(), nullptr);
  if (tip) SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
  return tip;
}

void AddHint(HWND hint_window, HWND tool, const std::wstring& text, const RECT* area) {
  if (!hint_window || !tool) return;
  // Areas of one window are told apart by a number of their own.
  static UINT_PTR next_area_id = 1;
  TTTOOLINFOW ti{};
  // The size of the structure before the fields that common controls 6
  // added, so that the older library accepts it too.
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_SUBCLASS;
  if (area) {
    ti.hwnd = tool;
    ti.uId = next_area_id++;
    ti.rect = *area;
  } else {
    ti.uFlags |= TTF_IDISHWND;
    ti.hwnd = GetParent(tool) ? GetParent(tool) : tool;
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
  }
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(hint_window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ksv::ui
