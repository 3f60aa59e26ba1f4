#include "editor/view_layout.h"

#include <algorithm>

namespace ksv::editor {

FormLayout ComputeFormLayout(Size client, const ViewToggles& toggles, const FormMetrics& form) {
  FormLayout layout;
  int top = 0;
  int bottom = client.height;
  if (toggles.ToolBarVisible()) {
    const int h = std::min(form.tool_bar_height, client.height);
    layout.tool_bar = {0, 0, client.width, h};
    top = h;
  }
  if (toggles.StatusBarVisible()) {
    const int h = std::min(form.status_bar_height, bottom - top);
    layout.status_bar = {0, bottom - h, client.width, bottom};
    bottom -= h;
  }
  int left = 0;
  if (toggles.ToolsPanelVisible()) {
    const int w = std::min(form.tools_panel_width, client.width);
    layout.tools_panel = {0, top, w, bottom};
    left = w;
  }
  layout.scroll_box = {left, top, client.width, bottom};
  return layout;
}

Point CenterPicturePosition(Size displayed, Size scroll_box, const ViewMetrics& metrics) {
  if (displayed.height < scroll_box.height && displayed.width < scroll_box.width) {
    const int left = metrics.client.width / 2 - displayed.width / 2;
    const int top =
        (metrics.client.height - metrics.form.status_bar_height - metrics.form.tool_bar_height - 20) / 2 -
        displayed.height / 2;
    // The whole-client reference can push a picture that fits the box past
    // its right or bottom edge; it is kept inside, so no scroll bar appears
    // for a picture smaller than the box.
    return {std::clamp(left, 0, scroll_box.width - displayed.width),
            std::clamp(top, 0, scroll_box.height - displayed.height)};
  }
  return {0, 0};
}

ScrollBars ResolveScrollBars(Size box, Size extent, const ViewMetrics& metrics) {
  ScrollBars bars;
  // Two rounds: a bar that appears narrows the other direction, which can
  // then need its bar too.
  for (int round = 0; round < 2; ++round) {
    const int width = box.width - (bars.vertical ? metrics.vertical_scroll_bar_width : 0);
    const int height = box.height - (bars.horizontal ? metrics.horizontal_scroll_bar_height : 0);
    bars.horizontal = extent.width > width;
    bars.vertical = extent.height > height;
  }
  bars.viewport = {std::max(0, box.width - (bars.vertical ? metrics.vertical_scroll_bar_width : 0)),
                   std::max(0, box.height - (bars.horizontal ? metrics.horizontal_scroll_bar_height : 0))};
  return bars;
}

Size ScrollView::Extent(Size displayed) const {
  return {std::max(0, content_.x + displayed.width), std::max(0, content_.y + displayed.height)};
}

Point ScrollView::MaxScroll(Size displayed) const {
  const Size extent = Extent(displayed);
  return {std::max(0, extent.width - viewport_.width), std::max(0, extent.height - viewport_.height)};
}

void ScrollView::SetViewport(Size viewport, Size displayed) {
  viewport_ = {std::max(0, viewport.width), std::max(0, viewport.height)};
  Clamp(displayed);
}

void ScrollView::PlacePicture(Point position) {
  scroll_ = {0, 0};
  content_ = position;
}

void ScrollView::MovePicture(Point delta, Size displayed) {
  content_ = content_ + delta;
  Clamp(displayed);
}

void ScrollView::ScrollTo(Point position, Size displayed) {
  const Point max = MaxScroll(displayed);
  scroll_ = {std::clamp(position.x, 0, max.x), std::clamp(position.y, 0, max.y)};
}

void ScrollView::Wheel(int delta, Size displayed) {
  ScrollBy({0, delta < 0 ? kLineStep : -kLineStep}, displayed);
}

Rect ScrollView::VisibleDisplayRect(Size displayed) const {
  const Point at = PicturePosition();
  const Rect picture = Rect::FromOriginSize(at, displayed);
  const Rect shown = Intersect(picture, Rect::FromOriginSize({0, 0}, viewport_));
  if (shown.Empty()) return {};
  return {shown.left - at.x, shown.top - at.y, shown.right - at.x, shown.bottom - at.y};
}

}  // namespace ksv::editor
