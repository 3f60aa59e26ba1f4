// The pictures the capture code hands to the editor: a whole screen or a
// region dragged on the frozen screen image.
#pragma once

#include "core/raster.h"
#include "core/geometry.h"

namespace ksv::editor {

// What a region drag cuts: a bitmap as large as the drag, filled from the
// area inside the one-pixel rubber band that the overlay drew on the corner
// rows and columns.
struct RegionCut {
  Size bitmap;
  Rect source;  // in canvas pixels; empty when the drag is under 3 pixels
};

RegionCut MakeRegionCut(Point drag_start, Point drag_end);

// The region picture: the inside of the band stretched over the whole
// bitmap (nearest pixel). When the drag is too narrow or too low to have an
// inside, that direction is copied 1:1 from the band's own corner instead.
// Canvas pixels outside the canvas read as black.
Raster CutRegion(const Raster& canvas, Point drag_start, Point drag_end);

// The whole-screen picture: the rectangle (0, 0)-(screen) of the canvas,
// 1:1. A canvas of exactly that size is shared, not copied; any part beyond
// a smaller canvas is black.
Raster CopyScreen(const Raster& canvas, Size screen);

}  // namespace ksv::editor
