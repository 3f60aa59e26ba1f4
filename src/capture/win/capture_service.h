// The capture cycle as the main window drives it: Timer1's ticks, the mode
// handlers (menu items and buttons), the cursor switch and the capture
// button. One instance for the process.
#pragma once

#include "capture/capture_mode.h"

namespace ksv::capture {

class CaptureService {
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
};

}  // namespace ksv::capture
