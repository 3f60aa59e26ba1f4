// What the editor window's files share: the child controls' numbers and
// small conversions between the window's and the portable geometry.
#pragma once

#include <windows.h>

#include "editor/editor_commands.h"
#include "editor/win/save_form.h"
#include "ui/window.h"

namespace ksv::editor::detail {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

constexpr int kToolBarId = 2100;
constexpr int kStatusBarId = 2101;
constexpr int kScrollBoxId = 2102;
constexpr int kToolsPanelId = 2103;
constexpr int kColorPanelId = 2104;
constexpr int kExchangeId = 2105;
constexpr int kToolsBoxId = 2106;
constexpr int kPagesBoxId = 2107;
constexpr int kPageFirstId = 2110;

}  // namespace ksv::editor::detail
