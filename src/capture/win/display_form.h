// The full-screen overlay on which the user drags the region to capture.
// It shows the frozen screen of the capture tick 1:1 and draws the rubber
// band into its own copy with an XOR pen; a small panel beside the cursor
// reads out the band's size. Esc, the close keys or a right click before
// any drag leave it without a picture.
#pragma once

#include <windows.h>

#include <memory>

#include "capture/capture_geometry.h"
#include "capture/win/capture_links.h"
#include "core/raster.h"
#include "ui/gdi.h"
#include "ui/window.h"

namespace ksv::capture {

// The size readout `Panel` with its labels `LbX` and `LbY`.
class TReadoutPanel : public ui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"TDisPlayPanel";
  static constexpr COLORREF kColor = 0x00F0CAA6;      // sky blue
  static constexpr COLORREF kTextColor = 0x00FF0000;  // blue
  bool CreatePanel(HWND parent);
  void SetCaptions(const std::string& width_caption, const std::string& height_caption);
  HWND LbX() const { return lb_x_; }
  HWND LbY() const { return lb_y_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  HWND lb_x_ = nullptr;  // child windows, destroyed with the panel
  HWND lb_y_ = nullptr;
  ui::Font font_;
  ui::Brush brush_;
};

class TDisPlayForm : public ui::Window, public OverlayApi {
 public:
  static constexpr const wchar_t* kClassName = L"TDisPlayForm";
  static constexpr COLORREF kBandColor = 0x0000FFFF;  // yellow
  TDisPlayForm();
  ~TDisPlayForm() override;
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  void ShowOverlay(const Raster& frozen_screen) override;
  void HideOverlay() override;

  // For tests: the picture as shown, band included.
  Raster ShownPicture() const;
  const TReadoutPanel& Panel() const { return panel_; }
  bool Dragging() const { return dragging_; }

  // The drag, in screen pixels.
  struct DragState {
    Point DragStart;  // where the mouse button went down
    Point DragLast;   // the far corner of the band drawn last
    Point DragEnd;    // the cursor when the release was handled
  };
  const DragState& Drag() const { return drag_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  struct Canvas;

  void PictMouseDown(UINT button);
  void PictMouseMove();
  void PictMouseUp(UINT button);
  void FormPaint();
  // Leaves the overlay without a picture.
  void Cancel();
  void DrawBand(Point corner);
  void EndDrag();

  Raster frozen_;                   // the frozen screen, never drawn on
  std::unique_ptr<Canvas> canvas_;  // what Pict shows: frozen_ plus the band
  TReadoutPanel panel_;
  ui::Pen band_pen_;
  bool dragging_ = false;
  bool in_editor_ = false;
  UINT drag_button_ = 0;
  DragState drag_;
};

}  // namespace ksv::capture
