#include "editor/window_sizing.h"

#include <cstdlib>

namespace ksv::editor {

namespace {

// The fixed allowances the form adds around the picture for its borders,
// caption, menu and scroll bars.
constexpr int kExtraWidth = 55;
constexpr int kExtraHeight = 75;

}  // namespace

Size FullScreenWindowSize(Size screen) { return screen; }

Size RegionWindowSize(Point drag_start, Point drag_end, const FormMetrics& form) {
  const int dx = std::abs(drag_end.x - drag_start.x);
  const int dy = std::abs(drag_end.y - drag_start.y);
  return {dx + kExtraWidth + form.tools_panel_width,
          dy + form.tool_bar_height + 3 * form.status_bar_height + kExtraHeight};
}

Size PictureWindowSize(Size picture, const FormMetrics& form) {
  return {picture.width + kExtraWidth + form.tools_panel_width,
          picture.height + form.tool_bar_height + 2 * form.status_bar_height + kExtraHeight};
}

Size ApplyMinimumWindowSize(Size window) {
  if (window.width < kMinimumWindowSize.width || window.height < kMinimumWindowSize.height) {
    return kMinimumWindowSize;
  }
  return window;
}

Rect KeepInsideWorkArea(const Rect& window, const Rect& work_area) {
  if (work_area.Empty()) return window;
  const int width = std::min(window.Width(), work_area.Width());
  const int height = std::min(window.Height(), work_area.Height());
  int left = window.left;
  int top = window.top;
  if (left + width > work_area.right) left = work_area.right - width;
  if (top + height > work_area.bottom) top = work_area.bottom - height;
  if (left < work_area.left) left = work_area.left;
  if (top < work_area.top) top = work_area.top;
  return Rect::FromOriginSize({left, top}, {width, height});
}

Rect FormShowWindowRect(const Rect& window, const Rect& work_area) {
  const Size size = ApplyMinimumWindowSize(window.GetSize());
  return KeepInsideWorkArea(Rect::FromOriginSize(window.Origin(), size), work_area);
}

}  // namespace ksv::editor
