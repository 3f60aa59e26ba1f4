#include "capture/overlay_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace ksv::capture {

std::array<Point, 5> BandPath(Point s, Point c) {
  return {{{s.x, s.y}, {s.x, c.y}, {c.x, c.y}, {c.x, s.y}, {s.x, s.y}}};
}

Rect BandBounds(Point s, Point c) {
  return {std::min(s.x, c.x), std::min(s.y, c.y), std::max(s.x, c.x) + 1, std::max(s.y, c.y) + 1};
}

Readout MakeReadout(Point start, Point cursor) {
  Readout r;
  r.width_caption = "宽:" + std::to_string(std::abs(cursor.x - start.x));
  r.height_caption = "高:" + std::to_string(std::abs(cursor.y - start.y));
  r.panel_origin = {cursor.x + kReadoutOffset, cursor.y + kReadoutOffset};
  return r;
}

}  // namespace ksv::capture
