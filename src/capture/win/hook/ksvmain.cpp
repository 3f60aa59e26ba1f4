// Low-level hooks run on the thread that installed them, inside its message
// loop, so all state here is touched by the program's UI thread only.
#include "capture/win/hook/ksvmain.h"

#include "capture/win/hook/capture_sound.h"

namespace {

HINSTANCE g_module = nullptr;
HHOOK g_keyboard_hook = nullptr;
HHOOK g_mouse_hook = nullptr;
// Presses recorded and not yet reported by GetDownHotKey.
LONG g_pending_presses = 0;
// Ctrl state as seen by the hook itself: GetAsyncKeyState lags behind for
// injected keys, because the hook runs before the key state is updated.
bool g_left_ctrl = false;
bool g_right_ctrl = false;
// B is held after a recorded press: its repeats and its release are
// swallowed too, so the focused program sees no stray key.
bool g_b_swallowed = false;
bool g_mouse_down = false;
// The button whose press was recorded; its release is swallowed as well.
WPARAM g_swallow_up = 0;

bool CtrlDown() { return g_left_ctrl || g_right_ctrl || (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    const bool down = wparam == WM_KEYDOWN || wparam == WM_SYSKEYDOWN;
    const bool up = wparam == WM_KEYUP || wparam == WM_SYSKEYUP;
    switch (k->vkCode) {
      case VK_LCONTROL:
        g_left_ctrl = down;
        break;
      case VK_RCONTROL:
        g_right_ctrl = down;
        break;
      case VK_CONTROL:  // keybd_event(VK_CONTROL) arrives as the generic key
        g_left_ctrl = down;
        break;
      case 'B':
        if (down) {
          if (g_b_swallowed) return 1;  // auto-repeat of a recorded press
          if (CtrlDown()) {
            ++g_pending_presses;
            g_b_swallowed = true;
            return 1;
          }
        } else if (up && g_b_swallowed) {
          g_b_swallowed = false;
          return 1;
        }
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(g_keyboard_hook, code, wparam, lparam);
}

WPARAM UpMessageFor(WPARAM down) {
  switch (down) {
    case WM_LBUTTONDOWN:
      return WM_LBUTTONUP;
    case WM_RBUTTONDOWN:
      return WM_RBUTTONUP;
    case WM_MBUTTONDOWN:
      return WM_MBUTTONUP;
    default:
      return 0;
  }
}

LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    if (const WPARAM up = UpMessageFor(wparam)) {
      g_mouse_down = true;
      g_swallow_up = up;
      return 1;
    }
    if (g_swallow_up != 0 && wparam == g_swallow_up) {
      g_swallow_up = 0;
      return 1;
    }
  }
  return CallNextHookEx(g_mouse_hook, code, wparam, lparam);
}

}  // namespace

void EnableHotKeyHook() {
  if (g_keyboard_hook) return;
  g_left_ctrl = g_right_ctrl = g_b_swallowed = false;
  g_keyboard_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
}

void DisableHotKeyHook() {
  if (!g_keyboard_hook) return;
  UnhookWindowsHookEx(g_keyboard_hook);
  g_keyboard_hook = nullptr;
  // A press recorded but never polled belongs to the capture that was just
  // started or cancelled; it must not fire a second one later.
  g_pending_presses = 0;
}

BOOL GetDownHotKey() {
  if (g_pending_presses <= 0) return FALSE;
  --g_pending_presses;
  return TRUE;
}

void EnableMouseHook() {
  if (g_mouse_hook) return;
  g_swallow_up = 0;
  g_mouse_hook = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, g_module, 0);
}

void DisableMouseHook() {
  if (!g_mouse_hook) return;
  UnhookWindowsHookEx(g_mouse_hook);
  g_mouse_hook = nullptr;
}

BOOL GetMouseDown() { return g_mouse_down ? TRUE : FALSE; }

void SetMouseDown(BOOL down) { g_mouse_down = down != FALSE; }

void PlayVoice() { ksv::hook::PlayCaptureSound(); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    if (g_keyboard_hook) UnhookWindowsHookEx(g_keyboard_hook);
    if (g_mouse_hook) UnhookWindowsHookEx(g_mouse_hook);
    g_keyboard_hook = g_mouse_hook = nullptr;
  }
  return TRUE;
}
