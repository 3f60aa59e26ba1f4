// The pixels the view shows for a zoomed picture. Only the visible part is
// computed, so the cost follows the window, not the zoom.
#pragma once

#include "core/raster.h"
#include "core/geometry.h"

namespace ksv::editor {

// Fills `out` with the part `visible` (in displayed-picture coordinates,
// clipped to 0..displayed) of `picture` shown stretched to `displayed`.
// Each direction is scaled on its own: where it enlarges (or keeps the
// size), each display pixel takes the picture pixel under its centre, so
// pixels stay sharp; where it shrinks, each display pixel is the average of
// the picture area it covers, partial pixels weighted by their share.
// `out` becomes visible-sized; its buffer is reused when it already has that
// size and is not shared. An empty picture or region gives an empty `out`.
void ScaleForDisplay(const Raster& picture, Size displayed, Rect visible, Raster& out);

}  // namespace ksv::editor
