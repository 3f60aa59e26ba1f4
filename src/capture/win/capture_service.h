// The capture cycle as the main window drives it: Timer1's ticks, the mode
// handlers (menu items and buttons), the cursor switch and the capture
// button. One instance for the process; it runs the portable cycle over
// the hook library, the screen and the other windows.
#pragma once

#include "capture/capture_cycle.h"
#include "capture/capture_mode.h"
#include "capture/win/capture_links.h"

namespace ksv::capture {

class CaptureService : public CaptureApi {
 public:
  static CaptureService& Instance();

  // Every 50 ms while Timer1 is enabled.
  void Timer1Timer();
  // ActiveWindowClick, FullScreenClick, RegionClick, FixRegionClick,
  // AxtiveObjectClick: choosing the mode already chosen does nothing.
  void ChooseMode(CaptureMode mode);
  void IncludeCursorClick();
  // Sends Ctrl+B as keys, so the hook library records it like a real press.
  void CutBtnClick();
  void ArmCapture();
  void DisarmCapture();

  // CaptureApi
  void EditorClosed() override;
  void OverlayCancelled() override;
  // Esc on the selection frame while the cycle waits for the click.
  void WaitCancelled();

  // Registers the service in Links().
  void Register();

  const CaptureCycle& Cycle() const { return cycle_; }

 private:
  CaptureService();

  CaptureCycle cycle_;
};

}  // namespace ksv::capture
