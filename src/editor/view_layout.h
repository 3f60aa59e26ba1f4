// Where the editor's controls sit, where the picture goes in the scroll box,
// and how the scroll box scrolls. Coordinates are pixels; "box" coordinates
// are relative to the scroll box's client area, as the picture control's
// Left and Top are.
#pragma once

#include "core/geometry.h"
#include "editor/view_toggles.h"
#include "editor/window_sizing.h"

namespace ksv::editor {

// The areas of the window's client area: toolbar on top, status bar at the
// bottom, tool panel on the left between them, the scroll box in the rest.
// A hidden control takes no room (its rectangle is empty).
struct FormLayout {
  Rect tool_bar;
  Rect tools_panel;
  Rect status_bar;
  Rect scroll_box;
};

FormLayout ComputeFormLayout(Size client, const ViewToggles& toggles, const FormMetrics& form = {});

// What the window tells the view about itself.
struct ViewMetrics {
  Size client = kDesignClientSize;  // the window's client area
  FormMetrics form;
  int vertical_scroll_bar_width = 17;
  int horizontal_scroll_bar_height = 17;
};

// CenterPicture: the picture control's Left and Top. A picture smaller than
// the scroll box both ways is centred on the window's client area across
// (tool panel included, so it sits a little right of the box's centre) and
// on the area between toolbar and status bar, less 20, down; otherwise it
// goes to the top-left corner. The control heights are used whether or not
// the controls are shown. A centred picture stays wholly inside the box:
// never above or left of it, where no scroll bar reaches, and never past
// its right or bottom edge, which would call up a scroll bar for a picture
// that fits.
Point CenterPicturePosition(Size displayed, Size scroll_box, const ViewMetrics& metrics);

struct ScrollBars {
  bool horizontal = false;
  bool vertical = false;
  Size viewport;  // the box's client area once the bars take their room
};

// Which bars a box of this outer size needs to show content of this extent;
// one bar can make the other needed.
ScrollBars ResolveScrollBars(Size box, Size extent, const ViewMetrics& metrics);

// The picture control inside the scroll box. Its position is kept in content
// coordinates, which scrolling does not change; Left/Top as seen in the box
// are the content position less the scroll position. Like a scroll box, the
// range reaches to the picture's right and bottom edges; a part moved to the
// left of or above the origin (hand tool) is out of reach of the bars.
class ScrollView {
 public:
  // One line of the scroll bars' arrows, and one step of the mouse wheel.
  static constexpr int kLineStep = 20;

  Point PicturePosition() const { return content_ - scroll_; }
  Point ScrollPosition() const { return scroll_; }
  Size Viewport() const { return viewport_; }

  // Content extent: how far the scroll range reaches.
  Size Extent(Size displayed) const;
  // The largest scroll position each way (0 when everything fits).
  Point MaxScroll(Size displayed) const;

  // The viewport changed (window resized, bars came or went, a panel was
  // toggled): the scroll position is kept inside the new range.
  void SetViewport(Size viewport, Size displayed);
  // CenterPicture's placement: back to the scroll origin with the picture
  // at this Left/Top, so no empty scroll range is left before it.
  void PlacePicture(Point position);
  // The hand tool: the picture moves by delta within the box.
  void MovePicture(Point delta, Size displayed);
  void ScrollTo(Point position, Size displayed);
  void ScrollBy(Point delta, Size displayed) { ScrollTo(scroll_ + delta, displayed); }
  // A wheel turn: one line down when the delta is negative (turned towards
  // the user), one line up otherwise.
  void Wheel(int delta, Size displayed);
  // Keeps the scroll position inside the range after the displayed size
  // changed.
  void Clamp(Size displayed) { ScrollTo(scroll_, displayed); }

  // The part of the displayed picture inside the viewport, in displayed
  // picture coordinates (empty when none shows).
  Rect VisibleDisplayRect(Size displayed) const;
  // A point of the box's client area in picture-control coordinates.
  Point BoxToView(Point box) const { return box - PicturePosition(); }

 private:
  Point content_;
  Point scroll_;
  Size viewport_;
};

}  // namespace ksv::editor
