// Where the capture cycle cuts, where it puts the selection frame and where
// the cursor lands in a grabbed screen: plain rectangle maths, so it can be
// checked without a window system. Rectangles have exclusive right and
// bottom edges, like window rectangles.
#pragma once

#include <string_view>

#include "core/geometry.h"
#include "core/raster.h"

namespace ksv::capture {

// The frame window reaches this far beyond the area it marks; its blue
// ring lies between kRingOuterInset and kRingInnerInset from its edges, so
// the ring never covers a pixel of the area.
inline constexpr int kFrameMargin = 5;
inline constexpr int kRingOuterInset = 2;
inline constexpr int kRingInnerInset = 5;

// The frame round a window's outer rectangle (control mode).
Rect WindowFrameBounds(const Rect& window);

// The frame of the fixed-size mode: the area of `fixed` pixels centred on
// the cursor (halves rounded toward zero), plus the margin.
Rect FixedFrameBounds(Point cursor, Size fixed);

// The area a fixed-size frame at `frame_bounds` takes: `fixed` pixels from
// just inside the margin.
Rect FixedFrameArea(const Rect& frame_bounds, Size fixed);

// The two rectangles, in frame-window coordinates, whose exclusive-or is
// the frame's visible ring.
struct RingRects {
  Rect outer;
  Rect inner;
};
RingRects FrameRing(Size frame);

// The part of `r` on a screen of `screen` pixels (empty when none).
Rect ClipToScreen(const Rect& r, Size screen);

// A 1:1 copy of the part of `r` that lies on the working bitmap; the
// picture is as large as that part (empty when `r` misses the bitmap).
Raster CropPicture(const Raster& working, const Rect& r);

// Where a cursor image is drawn into a grabbed screen so that its hot spot
// lies on the mouse position: `screen` is the part of the screen it covers
// (clipped to the screen, may be empty), `image_origin` the image's
// top-left corner relative to that part's top-left corner (negative when
// the image is clipped on the left or top).
struct CursorPatch {
  Rect screen;
  Point image_origin;
};
CursorPatch PlaceCursor(Point mouse, Point hot_spot, Size image, Size screen);

// The delay before a capture in seconds, from the text of the delay field:
// whole seconds 0..60; a text that is not a plain number means no delay.
int DelaySeconds(std::string_view text);

}  // namespace ksv::capture
