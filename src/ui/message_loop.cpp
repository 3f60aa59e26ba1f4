#include "ui/message_loop.h"

#include <algorithm>
#include <vector>

namespace ksv::ui {
namespace {

struct Entry {
  HWND window;
  HACCEL accelerators;
  bool navigation;
};

std::vector<Entry>& Entries() {
  static std::vector<Entry> entries;
  return entries;
}

Entry& EntryFor(HWND window) {
  auto& entries = Entries();
  auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.window == window; });
  if (it != entries.end()) return *it;
  entries.push_back({window, nullptr, false});
  return entries.back();
}

void Prune() {
  auto& entries = Entries();
  entries.erase(std::remove_if(
                    entries.begin(), entries.end(),
                    [](const Entry& e) { return !IsWindow(e.window) || (!e.accelerators && !e.navigation); }),
                entries.end());
}

}  // namespace

void RegisterAccelerators(HWND window, HACCEL table) {
  EntryFor(window).accelerators = table;
  Prune();
}

void RegisterDialogNavigation(HWND window, bool enabled) {
  EntryFor(window).navigation = enabled;
  Prune();
}

bool PreTranslateMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  if (key && static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kSyntheticKeyExtraInfo) return false;
  for (const Entry& e : Entries()) {
    if (msg.hwnd != e.window && !IsChild(e.window, msg.hwnd)) continue;
    if (e.accelerators && TranslateAcceleratorW(e.window, e.accelerators, &msg)) return true;
    if (e.navigation && IsDialogMessageW(e.window, &msg)) return true;
    return false;
  }
  return false;
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace ksv::ui
