// The program's message loop. A window registers its menu shortcuts here,
// so they are translated before any of its focused controls sees the key,
// and its keyboard navigation (Tab between controls) is handled.
#pragma once

#include <windows.h>

namespace ksv::ui {

// Shortcuts of `window` (and all its children). The table stays owned by
// the caller; registering null removes the window.
void RegisterAccelerators(HWND window, HACCEL table);
// Tab and arrow keys move between the controls of `window`.
void RegisterDialogNavigation(HWND window, bool enabled);

// Translates a message for the registered windows; true when it was
// consumed and must not be dispatched.
bool PreTranslateMessage(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace ksv::ui
