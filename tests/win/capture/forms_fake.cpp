#include "forms_fake.h"

namespace ksv::capture::testing {

FakeForms::FakeForms() : saved_(ui::Forms()) {
  ui::Forms().main = &main;
  ui::Forms().editor = &editor;
  ui::Forms().capture = &capture;
}

FakeForms::~FakeForms() {
  ui::Forms().main = saved_.main;
  ui::Forms().editor = saved_.editor;
  ui::Forms().capture = saved_.capture;
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    // Lets the other Wine processes (the X driver, the desktop) run.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace ksv::capture::testing
