#include "editor/win/shortcut_hook.h"

#include <map>

namespace ksv::editor {

namespace {

struct HookState {
  HHOOK hook = nullptr;
  std::map<HWND, int> windows;  // window -> its command base
};

HookState& State() {
  static HookState state;
  return state;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE) {
    auto* msg = reinterpret_cast<MSG*>(lparam);
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->hwnd != nullptr) {
      const HWND root = GetAncestor(msg->hwnd, GA_ROOT);
      const auto it = State().windows.find(root);
      if (it != State().windows.end()) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool alt = GetKeyState(VK_MENU) < 0 || (msg->lParam & (1 << 29)) != 0;
        if (const auto command = ShortcutCommand(msg->message, msg->wParam, ctrl, shift, alt)) {
          // The key goes no further (no WM_CHAR either); the command runs
          // from the window's own queue, outside the hook.
          msg->message = WM_NULL;
          PostMessageW(root, WM_COMMAND, static_cast<WPARAM>(it->second + static_cast<int>(*command)), 0);
        }
      }
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

std::optional<EditorCommand> ShortcutCommand(UINT message, WPARAM key, bool ctrl, bool shift, bool alt) {
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return std::nullopt;
  if (key < 'A' || key > 'Z') return std::nullopt;
  return CommandForShortcut({ctrl, shift, alt, static_cast<char>(key)});
}

void RegisterShortcutWindow(HWND window, int command_base) {
  HookState& s = State();
  s.windows[window] = command_base;
  if (s.hook == nullptr)
    s.hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
}

void UnregisterShortcutWindow(HWND window) {
  HookState& s = State();
  s.windows.erase(window);
  if (s.windows.empty() && s.hook != nullptr) {
    UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
  }
}

}  // namespace ksv::editor
