#include "editor_fake.h"

#include "ui/message_loop.h"

namespace ksv::editor::testing {

ScopedForms::ScopedForms(ui::MainFormApi* main, ui::CaptureApi* capture) : saved_(ui::Forms()) {
  ui::Forms().main = main;
  ui::Forms().capture = capture;
}

ScopedForms::~ScopedForms() {
  ui::Forms().main = saved_.main;
  ui::Forms().capture = saved_.capture;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // As the program's loop does.
    if (ui::PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpPending();
  }
  return true;
}

Raster Pattern(int width, int height) {
  Raster r(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) r.SetPixel(x, y, MakeColor(x * 7 + y, y * 13 + x * 3, (x ^ y) * 5));
  }
  return r;
}

}  // namespace ksv::editor::testing
