// What the editor window's files share: the child controls' numbers and
// small conversions between the window's and the portable geometry.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/text.h"
#include "editor/editor_commands.h"
#include "editor/win/save_form.h"
#include "ui/window.h"

namespace ksv::editor::detail {

inline std::wstring W(std::string_view utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

inline int CommandId(EditorCommand c) { return kCommandBase + static_cast<int>(c); }
constexpr int kCommandCount = static_cast<int>(EditorCommand::kActualSize) + 1;

constexpr int kToolBarId = 2100;
constexpr int kStatusBarId = 2101;
constexpr int kScrollBoxId = 2102;
constexpr int kToolsPanelId = 2103;
constexpr int kColorPanelId = 2104;
constexpr int kExchangeId = 2105;
constexpr int kToolsBoxId = 2106;
constexpr int kPagesBoxId = 2107;
constexpr int kPageFirstId = 2110;

inline HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x,
                  int y, int w, int h, DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ui::ModuleInstance(), nullptr);
}

}  // namespace ksv::editor::detail
