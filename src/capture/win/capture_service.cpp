#include "capture/win/capture_service.h"

#include <windows.h>

#include "capture/win/hook/ksvmain.h"
#include "ui/forms.h"

namespace ksv::capture {

CaptureService& CaptureService::Instance() {
  static CaptureService service;
  return service;
}

void CaptureService::Timer1Timer() {}

void CaptureService::ChooseMode(CaptureMode mode) {
  ui::MainFormApi* main = ui::Forms().main;
  if (!main || main->LiveCaptureMode() == mode) return;
  main->ShowCaptureMode(mode);
  ArmCapture();
}

void CaptureService::IncludeCursorClick() {
  if (ui::MainFormApi* main = ui::Forms().main) main->SetIncludeCursorChecked(!main->LiveIncludeCursor());
}

void CaptureService::CutBtnClick() {
  keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), 0, 0);
  keybd_event('B', static_cast<BYTE>(MapVirtualKeyA('B', 0)), 0, 0);
  keybd_event('B', static_cast<BYTE>(MapVirtualKeyA('B', 0)), KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), KEYEVENTF_KEYUP, 0);
}

void CaptureService::ArmCapture() {
  EnableHotKeyHook();
  if (ui::MainFormApi* main = ui::Forms().main) main->SetCaptureTimerEnabled(true);
}

void CaptureService::DisarmCapture() {
  DisableHotKeyHook();
  if (ui::MainFormApi* main = ui::Forms().main) main->SetCaptureTimerEnabled(false);
}

}  // namespace ksv::capture
