// The one modal loop of the program's windows (the editor's and the
// camera's): the other windows wait, the messages of all of them keep
// flowing, and menu shortcuts are translated first as in the main loop.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

namespace ksv::ui {

// Runs messages while `running()` holds. The windows in `disable` that are
// enabled now are disabled meanwhile and enabled again afterwards (null
// handles are skipped). A WM_QUIT ends the loop and is posted again, so the
// program's main loop still sees it.
void RunModalLoop(std::initializer_list<HWND> disable, const std::function<bool()>& running);

}  // namespace ksv::ui
