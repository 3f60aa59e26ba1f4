#include "common/pump.h"

#include <windows.h>

#include "ui/message_loop.h"

namespace ksv::wintest {

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // As the program's loop does.
    if (ui::PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    // Lets the other Wine processes (the X driver, the desktop) run.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace ksv::wintest
