#include "editor/editor_document.h"

#include <utility>

#include "editor/display_scaler.h"
#include "editor/picture_load.h"

namespace ksv::editor {

EditorDocument::EditorDocument() {
  for (int i = 0; i < kStatusPanelCount; ++i) {
    status_[static_cast<std::size_t>(i)] = kStatusPanels[static_cast<std::size_t>(i)].initial_text;
  }
  Relayout();
}

Size EditorDocument::LoadFullScreen(const Raster& canvas, Size screen) {
  SetPicture(CopyScreen(canvas, screen));
  return FullScreenWindowSize(screen);
}

Size EditorDocument::LoadRegion(const Raster& canvas, Point drag_start, Point drag_end) {
  SetPicture(CutRegion(canvas, drag_start, drag_end));
  return RegionWindowSize(drag_start, drag_end, metrics_.form);
}

Size EditorDocument::LoadPicture(const Raster& bitmap) {
  SetPicture(bitmap);
  return PictureWindowSize({bitmap.Width(), bitmap.Height()}, metrics_.form);
}

void EditorDocument::SetViewMetrics(const ViewMetrics& metrics) {
  metrics_ = metrics;
  Relayout();
}

void EditorDocument::FormShow() {
  history_.Prime(picture_);
  CenterPicture();
}

void EditorDocument::FormActivate() { SetStatusText(StatusPanel::kSize, SizeReadout(DisplayedSize())); }

void EditorDocument::FormDestroy() {
  picture_ = Raster();
  history_.Release();
  Relayout();
}

void EditorDocument::MouseWheel(int delta) { view_.Wheel(delta, DisplayedSize()); }

void EditorDocument::SetPicture(Raster picture) {
  picture_ = std::move(picture);
  Relayout();
}

void EditorDocument::PushHistory() { history_.Push(picture_); }

void EditorDocument::UnDoMenuClick() {
  picture_ = history_.Undo();
  zoom_.SetDisplayed({picture_.Width(), picture_.Height()});
  Relayout();
}

void EditorDocument::ReDoMenuClick() {
  picture_ = history_.Redo();
  zoom_.SetDisplayed({picture_.Width(), picture_.Height()});
  Relayout();
}

void EditorDocument::EnlargeToolButtonClick() {
  if (zoom_.Enlarge({picture_.Width(), picture_.Height()})) CenterPicture();
}

void EditorDocument::NarrowToolButtonClick() {
  if (zoom_.Narrow({picture_.Width(), picture_.Height()})) CenterPicture();
}

void EditorDocument::ActualSizeToolButtonClick() {
  zoom_.ActualSize();
  CenterPicture();
}

void EditorDocument::CenterPicture() {
  view_.PlacePicture(CenterPicturePosition(DisplayedSize(), Layout().scroll_box.GetSize(), metrics_));
  Relayout();
}

void EditorDocument::SwapDisplayedSize() {
  zoom_.SwapDisplayed();
  Relayout();
}

void EditorDocument::ScrollTo(Point position) { view_.ScrollTo(position, DisplayedSize()); }

void EditorDocument::ScrollBy(Point delta) { view_.ScrollBy(delta, DisplayedSize()); }

void EditorDocument::MovePicture(Point delta) {
  view_.MovePicture(delta, DisplayedSize());
  Relayout();
}

Point EditorDocument::ViewToPicture(Point view) const {
  return editor::ViewToPicture(view, DisplayedSize(), {picture_.Width(), picture_.Height()});
}

Rect EditorDocument::RenderVisible(Raster& out) const {
  const Size displayed = DisplayedSize();
  const Rect visible = view_.VisibleDisplayRect(displayed);
  ScaleForDisplay(picture_, displayed, visible, out);
  if (out.Empty()) return {};
  const Point at = view_.PicturePosition();
  return {visible.left + at.x, visible.top + at.y, visible.right + at.x, visible.bottom + at.y};
}

bool EditorDocument::PicMouseMove(Point view) {
  const Size displayed = DisplayedSize();
  if (!Rect::FromOriginSize({0, 0}, displayed).Contains(view)) return false;
  const Point pixel = ViewToPicture(view);
  if (!picture_.Contains(pixel.x, pixel.y)) return false;
  SetStatusText(StatusPanel::kColor, ColorReadout(picture_.Pixel(pixel.x, pixel.y)));
  SetStatusText(StatusPanel::kPosition, PositionReadout(pixel));
  return true;
}

const std::string& EditorDocument::StatusText(StatusPanel panel) const {
  return status_[static_cast<std::size_t>(panel)];
}

void EditorDocument::SetStatusText(StatusPanel panel, std::string text) {
  status_[static_cast<std::size_t>(panel)] = std::move(text);
}

void EditorDocument::ForegroundColorChosen(Color c) {
  foreground_ = c;
  pen_color_ = c;
  dialog_color_ = c;
}

void EditorDocument::BackgroundColorChosen(Color c) {
  background_ = c;
  brush_color_ = c;
  dialog_color_ = c;
}

void EditorDocument::ExchangeColorBtnClick() { std::swap(foreground_, background_); }

void EditorDocument::ToolBarBtnMenuClick() {
  toggles_.ClickToolBarButtons();
  Relayout();
}

void EditorDocument::ToolBarTextMenuClick() {
  if (!toggles_.ToolBarTextEnabled()) return;
  toggles_.ClickToolBarText();
}

void EditorDocument::ToolsStatusMenuClick() {
  toggles_.ClickToolsPanel();
  Relayout();
}

void EditorDocument::StatusMenuClick() {
  toggles_.ClickStatusBar();
  Relayout();
}

void EditorDocument::Relayout() {
  const Size displayed = DisplayedSize();
  bars_ = ResolveScrollBars(Layout().scroll_box.GetSize(), view_.Extent(displayed), metrics_);
  view_.SetViewport(bars_.viewport, displayed);
}

}  // namespace ksv::editor
