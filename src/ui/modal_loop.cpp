#include "ui/modal_loop.h"

#include <vector>

#include "ui/message_loop.h"

namespace ksv::ui {

void RunModalLoop(std::initializer_list<HWND> disable, const std::function<bool()>& running) {
  std::vector<HWND> disabled;
  for (HWND h : disable) {
    if (h != nullptr && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  }
  MSG msg{};
  while (running()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
      break;
    }
    if (PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

}  // namespace ksv::ui
