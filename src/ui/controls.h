// Helpers for child controls and their hints (tool tips), shared by the
// windows of the program.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ksv::ui {

// UTF-8 text for the wide API.
std::wstring Wide(std::string_view utf8);
std::string Utf8(const std::wstring& wide);

// A child control of `parent` with the given class, text, style and
// identifier (WS_CHILD is added).
HWND CreateChild(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style, int id,
                 int x, int y, int width, int height, DWORD ex_style = 0);

std::wstring WindowText(HWND hwnd);
void SetWindowTextIfDifferent(HWND hwnd, const std::wstring& text);

// A hint window for `owner`; destroyed with it.
HWND CreateHintWindow(HWND owner);
// Shows `text` while the mouse rests over `tool` (a child of the hint
// window's owner, or the owner itself); with `area`, only over that part of
// the tool's client area (a swatch painted on a panel).
void AddHint(HWND hint_window, HWND tool, const std::wstring& text, const RECT* area = nullptr);

// Check boxes and radio buttons.
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);

}  // namespace ksv::ui
