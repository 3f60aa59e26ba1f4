// The texts of the editor's status bar.
#pragma once

#include <array>
#include <string>

#include "core/raster.h"
#include "core/geometry.h"

namespace ksv::editor {

enum class StatusPanel { kSize, kColor, kPosition, kTiming, kCredit };
inline constexpr int kStatusPanelCount = 5;

struct StatusPanelInfo {
  int width;
  const char* initial_text;  // UTF-8
};

// Width and initial text of each panel, in StatusPanel order.
extern const std::array<StatusPanelInfo, kStatusPanelCount> kStatusPanels;

// "clRed" for the twenty named colours, otherwise "$" and the value as
// eight upper-case hexadecimal digits in 0x00BBGGRR order ("$00563412").
std::string ColorName(Color c);
// Panel 2: "R：18 G：52 B：86  $00563412".
std::string ColorReadout(Color c);
// Panel 3: "坐标 x：10 y：20".
std::string PositionReadout(Point p);
// Panel 1: "1024*768".
std::string SizeReadout(Size s);

}  // namespace ksv::editor
