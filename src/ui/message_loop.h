// The program's message loop. A window registers its menu shortcuts here
// (the table ui::BuildAccelerators makes from its command rows), so they
// are translated before any of its focused controls sees the key, in this
// loop and in every modal one (ui::RunModalLoop), and its keyboard
// navigation (Tab between controls) is handled.
#pragma once

#include <windows.h>

namespace ksv::ui {

// Shortcuts of `window` (and all its children). The table stays owned by
// the caller; registering null removes the window.
void RegisterAccelerators(HWND window, HACCEL table);
// Tab and arrow keys move between the controls of `window`.
void RegisterDialogNavigation(HWND window, bool enabled);

// The extra information of the keys the program types itself for the hook
// library (the capture button's Ctrl+B). Such keys are never a shortcut of
// the program's own windows: while the hook is off they reach the focused
// window, and the main window's own Ctrl+B would type them again, for ever.
inline constexpr ULONG_PTR kSyntheticKeyExtraInfo = 0x4B535642;  // "KSVB"

// Translates a message for the registered windows; true when it was
// consumed and must not be dispatched. `msg` is the message just retrieved:
// its extra information is read from the thread's input state.
bool PreTranslateMessage(MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace ksv::ui
