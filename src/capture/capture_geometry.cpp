#include "capture/capture_geometry.h"

#include <algorithm>
#include <cstring>

namespace ksv::capture {

Rect WindowFrameBounds(const Rect& window) {
  return {window.left - kFrameMargin, window.top - kFrameMargin, window.right + kFrameMargin,
          window.bottom + kFrameMargin};
}

Rect FixedFrameBounds(Point cursor, Size fixed) {
  const int left = cursor.x - fixed.width / 2;
  const int top = cursor.y - fixed.height / 2;
  return {left, top, left + fixed.width + 2 * kFrameMargin, top + fixed.height + 2 * kFrameMargin};
}

Rect FixedFrameArea(const Rect& frame_bounds, Size fixed) {
  const int left = frame_bounds.left + kFrameMargin;
  const int top = frame_bounds.top + kFrameMargin;
  return {left, top, left + fixed.width, top + fixed.height};
}

RingRects FrameRing(Size frame) {
  return {{kRingOuterInset, kRingOuterInset, frame.width - kRingOuterInset, frame.height - kRingOuterInset},
          {kRingInnerInset, kRingInnerInset, frame.width - kRingInnerInset, frame.height - kRingInnerInset}};
}

Rect ClipToScreen(const Rect& r, Size screen) {
  Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, screen.width),
         std::min(r.bottom, screen.height)};
  if (c.Empty()) return {};
  return c;
}

Raster CropPicture(const Raster& working, const Rect& r) {
  const Rect c = ClipToScreen(r, {working.Width(), working.Height()});
  if (c.Empty()) return {};
  Raster picture(c.Width(), c.Height());
  const std::size_t bytes = static_cast<std::size_t>(c.Width()) * 3;
  for (int y = 0; y < c.Height(); ++y) {
    std::memcpy(picture.MutableRow(y), working.Row(c.top + y) + static_cast<std::size_t>(c.left) * 3, bytes);
  }
  return picture;
}

CursorPatch PlaceCursor(Point mouse, Point hot_spot, Size image, Size screen) {
  const Point origin{mouse.x - hot_spot.x, mouse.y - hot_spot.y};
  const Rect covered = ClipToScreen(Rect::FromOriginSize(origin, image), screen);
  if (covered.Empty()) return {{}, {0, 0}};
  return {covered, {origin.x - covered.left, origin.y - covered.top}};
}

int DelaySeconds(std::string_view text) {
  if (text.empty() || text.size() > 9) return 0;
  int value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return 0;
    value = value * 10 + (ch - '0');
  }
  return std::min(value, 60);
}

}  // namespace ksv::capture
