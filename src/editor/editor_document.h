// Everything the editor window shows and remembers that needs no window:
// the picture, its one-step history, the zoom and scroll state, the status
// texts, the colour swatches and the view menu's check items. The window
// owns one of these, forwards its events to it and draws what it says.
#pragma once

#include <array>
#include <string>

#include "core/raster.h"
#include "core/geometry.h"
#include "editor/history.h"
#include "editor/status_text.h"
#include "editor/view_layout.h"
#include "editor/view_toggles.h"
#include "editor/window_sizing.h"
#include "editor/zoom.h"

namespace ksv::editor {

class EditorDocument {
 public:
  EditorDocument();

  // Load entry points. The capture code calls one and then shows the window.
  // Each makes the picture from what it is given and returns the window's
  // new outer size (the window keeps its position); the history and the
  // zoom state are left as they were.
  Size LoadFullScreen(const Raster& canvas, Size screen);
  // drag_end is where the cursor is when the overlay hands the region over.
  Size LoadRegion(const Raster& canvas, Point drag_start, Point drag_end);
  Size LoadPicture(const Raster& bitmap);

  // Window events.
  // The window's client size or its controls' sizes changed.
  void SetViewMetrics(const ViewMetrics& metrics);
  const ViewMetrics& Metrics() const { return metrics_; }
  // Each time the window is shown: the history is primed with the picture
  // (undo at once changes nothing) and the view is centred. The window
  // applies FormShowWindowRect to its own rectangle.
  void FormShow();
  // Each time the window becomes active: panel 1 shows the displayed size.
  void FormActivate();
  // The window is going away: the picture and history memory is freed.
  void FormDestroy();
  // A wheel turn anywhere over the window scrolls the view one line.
  void MouseWheel(int delta);

  // The picture.
  const Raster& Picture() const { return picture_; }
  // In-place drawing; records no step. The first write after a push or an
  // undo makes the picture's own copy. Size changes go through SetPicture.
  Raster& MutablePicture() { return picture_; }
  // An operation's result replaces the picture; records no step by itself.
  void SetPicture(Raster picture);

  // History (Edit menu "撤销" Ctrl+Z, "重做" Ctrl+Shift+Z; always enabled).
  void PushHistory();
  void UnDoMenuClick();
  void ReDoMenuClick();
  const History& GetHistory() const { return history_; }

  // Zoom: toolbar buttons and the scaling page's buttons.
  void EnlargeToolButtonClick();
  void NarrowToolButtonClick();
  void ActualSizeToolButtonClick();
  void CenterPicture();
  const Zoom& GetZoom() const { return zoom_; }
  Size DisplayedSize() const { return zoom_.Displayed({picture_.Width(), picture_.Height()}); }
  // The quarter turn keeps a zoomed view in proportion by swapping sides.
  void SwapDisplayedSize();

  // Layout and scrolling. "Box" points are relative to the scroll box's
  // client area; "view" points to the displayed picture control.
  FormLayout Layout() const { return ComputeFormLayout(metrics_.client, toggles_, metrics_.form); }
  const ScrollBars& Bars() const { return bars_; }
  const ScrollView& View() const { return view_; }
  void ScrollTo(Point position);
  void ScrollBy(Point delta);
  // The hand tool moves the picture control inside the box.
  void MovePicture(Point delta);
  Point BoxToView(Point box) const { return view_.BoxToView(box); }
  // The picture pixel under a view point (1:1 in actual size).
  Point ViewToPicture(Point view) const;
  // Fills `out` with the visible part of the displayed picture and returns
  // where it goes in the box's client area (empty when nothing shows).
  Rect RenderVisible(Raster& out) const;

  // Status bar. PicMouseMove updates the colour and position readouts from
  // the picture pixel under the mouse; a point off the picture (the mouse is
  // captured during a drag) leaves them as they were, and the result says so.
  bool PicMouseMove(Point view);
  const std::string& StatusText(StatusPanel panel) const;
  // Panel 4 belongs to the timed effects.
  void SetStatusText(StatusPanel panel, std::string text);

  // Colour swatches. A confirmed colour dialog passes its colour; a
  // cancelled one calls nothing.
  Color ForegroundColor() const { return foreground_; }
  Color BackgroundColor() const { return background_; }
  void ForegroundColorChosen(Color c);
  void BackgroundColorChosen(Color c);
  // ExchangeColorBtnClick: the swatches swap; pen and brush keep theirs.
  void ExchangeColorBtnClick();
  // The single colour dialog opens on the last colour confirmed in it.
  Color ColorDialogColor() const { return dialog_color_; }
  // The drawing surface's colours that the swatch dialogs also set.
  Color PenColor() const { return pen_color_; }
  Color BrushColor() const { return brush_color_; }

  // View menu "视图(&V)".
  const ViewToggles& Toggles() const { return toggles_; }
  void ToolBarBtnMenuClick();
  // Ignored while the item is disabled (toolbar hidden).
  void ToolBarTextMenuClick();
  void ToolsStatusMenuClick();
  void StatusMenuClick();

 private:
  // Scroll bars and viewport follow the layout and the displayed size.
  void Relayout();

  Raster picture_;
  History history_;
  Zoom zoom_;
  ScrollView view_;
  ScrollBars bars_;
  ViewMetrics metrics_;
  ViewToggles toggles_;
  std::array<std::string, kStatusPanelCount> status_;
  Color foreground_ = MakeColor(0, 0, 0);
  Color background_ = MakeColor(255, 255, 255);
  Color dialog_color_ = MakeColor(0, 0, 0);
  Color pen_color_ = MakeColor(0, 0, 0);
  Color brush_color_ = MakeColor(255, 255, 255);
};

}  // namespace ksv::editor
