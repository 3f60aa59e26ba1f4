// The region overlay's drawing rules: the rubber band's path, the size
// readout's texts and where the readout panel sits.
#pragma once

#include <array>
#include <string>

#include "capture/capture_geometry.h"

namespace ksv::capture {

// The readout panel: 37 x 25 pixels, 5 pixels right of and below the
// cursor.
inline constexpr Size kReadoutPanelSize{37, 25};
inline constexpr int kReadoutOffset = 5;

// The closed path of the band between the drag start and a far corner:
// start, down (or up) to the corner's row, across, back, home.
std::array<Point, 5> BandPath(Point start, Point corner);

// The rectangle a band's one-pixel lines cover (for repainting).
Rect BandBounds(Point start, Point corner);

struct Readout {
  std::string width_caption;   // "宽:" and the width
  std::string height_caption;  // "高:" and the height
  Point panel_origin;
};
Readout MakeReadout(Point start, Point cursor);

}  // namespace ksv::capture
