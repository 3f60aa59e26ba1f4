// The editor's menu shortcuts take their keys before any focused control
// of the window: a message hook on the user-interface thread looks every
// key press up in the command table before it is dispatched, whichever
// message loop (the program's, a modal one) retrieved it.
#pragma once

#include <windows.h>

#include <optional>

#include "editor/editor_commands.h"

namespace ksv::editor {

// Key presses for `window` and its children become WM_COMMAND messages
// with the command's identifier (command_base + the command's number),
// posted to `window`. Registering installs the hook on first use;
// unregistering the last window removes it.
void RegisterShortcutWindow(HWND window, int command_base);
void UnregisterShortcutWindow(HWND window);

// The command a key message would run with the given modifier state.
std::optional<EditorCommand> ShortcutCommand(UINT message, WPARAM key, bool ctrl, bool shift, bool alt);

}  // namespace ksv::editor
