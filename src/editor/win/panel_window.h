// Child windows of the editor form: a plain container that hands its
// children's notifications up to the form, and the scroll box that shows
// the picture.
#pragma once

#include <windows.h>

#include <functional>

#include "core/raster.h"
#include "editor/editor_document.h"
#include "ui/window.h"

namespace ksv::editor {

// A container (the tool panel, the colour panel, a property page). Commands
// and notifications of its children go to `target`, the form, as if the
// children were the form's own. Painting and clicks on the container's own
// area can be taken over.
class PanelWindow : public ui::Window {
 public:
  // A panel whose children cover it (a page inside a group box) paints
  // under them, so it is made without clipping them.
  static constexpr const wchar_t* kClassName = L"TKsvEditorPanel";
  bool CreatePanel(HWND parent, HWND target, int id, bool clip_children = true,
                   const wchar_t* class_name = kClassName);
  std::function<void(HDC dc, const RECT& client)> on_paint;
  std::function<void(UINT message, POINT at)> on_mouse_down;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  HWND target_ = nullptr;
};

// sScrollBox with the picture control Pic drawn into it. It draws the
// document's visible part, double buffered, keeps its scroll bars in step
// with the document's, and reports mouse events in Pic coordinates.
class ScrollBox : public ui::Window {
 public:
  // `document` is the form's, and outlives this window.
  bool CreateBox(HWND parent, EditorDocument* document, int id);
  // The document's scroll state changed: bars and picture are brought up
  // to date.
  void Refresh();

  // WM_LBUTTONDOWN and friends, with the point in Pic coordinates.
  std::function<void(UINT message, Point view)> on_pic_mouse;
  std::function<void(int delta)> on_wheel;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();
  void Scroll(int bar, WPARAM request);

  EditorDocument* document_ = nullptr;
  Raster visible_;  // reused between paints
  bool dragging_ = false;
};

// Draws a top-down 24-bit raster at (x, y), 1:1.
void DrawRaster(HDC dc, int x, int y, const Raster& raster);

}  // namespace ksv::editor
