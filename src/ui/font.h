// The user-interface font. Chinese text needs a font with CJK glyphs and
// the GB2312 character set; "Microsoft YaHei" is on every Chinese Windows
// since Vista and is mapped to an installed CJK font under Wine.
#pragma once

#include <windows.h>

namespace ksv::ui {

// Shared by all windows; owned by the module, deleted at exit.
HFONT UiFont();
// A font by face and point size in the GB2312 character set; the caller
// owns the handle.
HFONT CreateUiFont(const wchar_t* face, int point_size, int weight = FW_NORMAL);
// Sets the UI font on a window and all its children.
void ApplyUiFont(HWND hwnd);

}  // namespace ksv::ui
