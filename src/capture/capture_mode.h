// The five capture modes, in the order of the main window's mode buttons.
#pragma once

namespace ksv {

enum class CaptureMode {
  ActiveWindow,  // "活动窗口"
  FullScreen,    // "整个屏幕"
  Region,        // "选定区域" (the default)
  FixRegion,     // "固定区域"
  AxtiveObject,  // "选定控件"
};

}  // namespace ksv
