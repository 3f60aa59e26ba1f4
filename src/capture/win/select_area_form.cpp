#include "capture/win/select_area_form.h"

#include <uxtheme.h>

#include "capture/win/capture_service.h"
#include "ui/gdi.h"

namespace ksv::capture {

TSelectAreaForm::~TSelectAreaForm() {
  if (Links().select_area == this) Links().select_area = nullptr;
}

bool TSelectAreaForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.style = WS_POPUP;
  p.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  p.x = p.y = 0;
  // The designed size; the capture cycle always places the frame first.
  p.width = 218;
  p.height = 91;
  p.background = ui::SolidClassBrush(kColor);
  if (!Create(p)) return false;
  Links().select_area = this;
  return true;
}

void TSelectAreaForm::ShowFrame(const RECT& r) {
  PlaceFrame({r.left - kFrameMargin, r.top - kFrameMargin, r.right + kFrameMargin, r.bottom + kFrameMargin});
}

void TSelectAreaForm::PlaceFrame(const Rect& bounds) {
  RECT now{};
  GetWindowRect(hwnd(), &now);
  const bool visible = IsWindowVisible(hwnd()) != FALSE;
  const bool moved = now.left != bounds.left || now.top != bounds.top || now.right != bounds.right ||
                     now.bottom != bounds.bottom;
  // Placed on every tick of the wait: only real changes touch the window,
  // so a still frame does not flicker.
  if (moved) {
    SetWindowPos(hwnd(), HWND_TOPMOST, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOACTIVATE);
  }
  // The region is in window coordinates: only a new size needs a new ring.
  if (!(ring_size_ == bounds.GetSize())) SetRing(bounds.GetSize());
  if (!visible) {
    FormShow();
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void TSelectAreaForm::SetRing(Size size) {
  const RingRects ring = FrameRing(size);
  ui::Region outer(CreateRectRgn(ring.outer.left, ring.outer.top, ring.outer.right, ring.outer.bottom));
  ui::Region inner(CreateRectRgn(ring.inner.left, ring.inner.top, ring.inner.right, ring.inner.bottom));
  if (!outer || !inner) return;
  CombineRgn(outer.get(), outer.get(), inner.get(), RGN_XOR);
  // The window owns the region from here on.
  if (SetWindowRgn(hwnd(), outer.get(), TRUE)) outer.release();
  ring_size_ = size;
}

void TSelectAreaForm::FormShow() {
  // A plain blue window, whatever theme the rest of the program wears.
  SetWindowTheme(hwnd(), L"", L"");
}

void TSelectAreaForm::HideFrame() { ShowWindow(hwnd(), SW_HIDE); }

LRESULT TSelectAreaForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      // The control mode asks which window lies under the mouse; with the
      // mouse on the ring that must be the window below, not the frame,
      // or the frame would ring itself and grow on every tick.
      return HTTRANSPARENT;
    case WM_KEYDOWN:
      // The frame holds the foreground during the wait, so Esc lands here.
      if (wparam == VK_ESCAPE) CaptureService::Instance().WaitCancelled();
      return 0;
    case WM_CLOSE:
      CaptureService::Instance().WaitCancelled();
      HideFrame();
      return 0;
    default:
      return DefaultHandler(msg, wparam, lparam);
  }
}

}  // namespace ksv::capture
