// How big the editor window is made for each kind of capture, and how it is
// kept usable on the screen it opens on.
#pragma once

#include "core/geometry.h"

namespace ksv::editor {

// Sizes of the editor form's fixed controls, in pixels. The defaults are the
// form's own; a window that scales its controls passes the scaled values.
struct FormMetrics {
  int tools_panel_width = 129;  // ToolsPanel, on the left
  int tool_bar_height = 62;     // SaveToolBar, on top
  int status_bar_height = 19;   // PicStatusBar, at the bottom
};

// The outer size below which showing the window raises it to exactly this.
inline constexpr Size kMinimumWindowSize{746, 536};
// The form's designed client area.
inline constexpr Size kDesignClientSize{738, 482};

// LoadFullScreen: the window becomes as large as the screen; its position is
// left alone.
Size FullScreenWindowSize(Size screen);
// LoadRegion: sized from the drag's two corners, whatever the drag direction.
Size RegionWindowSize(Point drag_start, Point drag_end, const FormMetrics& form = {});
// LoadPicture: sized from the bitmap.
Size PictureWindowSize(Size picture, const FormMetrics& form = {});

// Showing the window: a window narrower or lower than the minimum gets
// exactly the minimum size, both ways.
Size ApplyMinimumWindowSize(Size window);

// Moves and, if need be, shrinks the window so that all of it lies inside
// the work area of its monitor: a wide capture must not push the title bar
// buttons off the screen (the view scrolls instead). An empty work area
// (no monitor information) leaves the window as it is.
Rect KeepInsideWorkArea(const Rect& window, const Rect& work_area);

// What showing the window does to its outer rectangle: the minimum first,
// then the work area.
Rect FormShowWindowRect(const Rect& window, const Rect& work_area);

}  // namespace ksv::editor
