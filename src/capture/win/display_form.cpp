#include "capture/win/display_form.h"

#include <windowsx.h>

#include <cstring>
#include <optional>

#include "capture/overlay_geometry.h"
#include "capture/win/capture_service.h"
#include "core/text.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/gdi.h"

namespace ksv::capture {

namespace {

using ui::Wide;

Point CursorNow() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// A window shown from a timer tick after a hotkey pressed in another
// program may not take the foreground on its own.
void BringForward(HWND hwnd) {
  if (SetForegroundWindow(hwnd)) return;
  const HWND fg = GetForegroundWindow();
  const DWORD other = fg ? GetWindowThreadProcessId(fg, nullptr) : 0;
  const DWORD self = GetCurrentThreadId();
  if (other && other != self && AttachThreadInput(self, other, TRUE)) {
    SetForegroundWindow(hwnd);
    AttachThreadInput(self, other, FALSE);
  }
}

}  // namespace

// --- the readout panel -----------------------------------------------------

bool TReadoutPanel::CreatePanel(HWND parent) {
  brush_.reset(CreateSolidBrush(kColor));
  CreateParams p;
  p.class_name = kClassName;
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  p.x = p.y = 0;
  p.width = kReadoutPanelSize.width;
  p.height = kReadoutPanelSize.height;
  p.parent = parent;
  p.background = ui::SolidClassBrush(kColor);
  p.cursor = LoadCursorW(nullptr, IDC_CROSS);
  if (!Create(p)) return false;
  font_.reset(ui::CreateUiFont(L"Tahoma", 9));
  const HINSTANCE inst = ui::ModuleInstance();
  lb_x_ = CreateWindowExW(0, L"STATIC", Wide("宽:").c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 1,
                          0, kReadoutPanelSize.width - 1, 12, hwnd(), nullptr, inst, nullptr);
  lb_y_ = CreateWindowExW(0, L"STATIC", Wide("高:").c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 1,
                          11, kReadoutPanelSize.width - 1, 13, hwnd(), nullptr, inst, nullptr);
  for (HWND label : {lb_x_, lb_y_}) {
    if (label) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  return lb_x_ && lb_y_;
}

void TReadoutPanel::SetCaptions(const std::string& width_caption, const std::string& height_caption) {
  SetWindowTextW(lb_x_, Wide(width_caption).c_str());
  SetWindowTextW(lb_y_, Wide(height_caption).c_str());
}

LRESULT TReadoutPanel::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_CTLCOLORSTATIC) {
    const HDC dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, kTextColor);
    SetBkColor(dc, kColor);
    return reinterpret_cast<LRESULT>(brush_.get());
  }
  return DefaultHandler(msg, wparam, lparam);
}

// --- the overlay -------------------------------------------------------------

// A 24-bit top-down DIB selected into a memory DC: the picture of Pict.
struct TDisPlayForm::Canvas {
  explicit Canvas(const Raster& picture) : dc(nullptr) {
    BITMAPINFO bi = ui::TopDownDibInfo(picture.Width(), picture.Height());
    void* raw = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0));
    if (!bitmap || !raw) return;
    bits = static_cast<std::uint8_t*>(raw);
    width = picture.Width();
    height = picture.Height();
    // Raster rows are laid out like DIB rows.
    std::memcpy(bits, picture.Bits(), picture.ByteSize());
    select.emplace(dc.get(), bitmap.get());
  }
  bool Valid() const { return bits != nullptr; }
  Raster ToRaster() const {
    Raster r(width, height);
    if (Valid()) {
      GdiFlush();
      std::memcpy(r.MutableBits(), bits, r.ByteSize());
    }
    return r;
  }

  // Declared in this order so the bitmap is deselected, then the DC
  // deleted, then the bitmap.
  ui::Bitmap bitmap;
  std::uint8_t* bits = nullptr;  // owned by bitmap
  int width = 0;
  int height = 0;
  ui::MemoryDC dc;
  std::optional<ui::SelectObjectScope> select;
};

TDisPlayForm::TDisPlayForm() = default;

TDisPlayForm::~TDisPlayForm() {
  if (Links().overlay == this) Links().overlay = nullptr;
}

bool TDisPlayForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.style = WS_POPUP | WS_CLIPCHILDREN;
  p.ex_style = WS_EX_TOOLWINDOW;
  p.x = p.y = 0;
  p.width = GetSystemMetrics(SM_CXSCREEN);
  p.height = GetSystemMetrics(SM_CYSCREEN);
  p.background = nullptr;
  p.cursor = LoadCursorW(nullptr, IDC_CROSS);
  // Two quick presses are two drags, never a double click.
  p.class_style = 0;
  if (!Create(p)) return false;
  if (!panel_.CreatePanel(hwnd())) return false;
  band_pen_.reset(CreatePen(PS_SOLID, 1, kBandColor));
  Links().overlay = this;
  CaptureService::Instance().Register();
  return true;
}

void TDisPlayForm::ShowOverlay(const Raster& frozen_screen) {
  if (dragging_) EndDrag();
  frozen_ = frozen_screen;
  canvas_ = std::make_unique<Canvas>(frozen_);
  ShowWindow(panel_.hwnd(), SW_HIDE);
  // Over the whole primary screen, so client coordinates are screen
  // coordinates, and above everything, the taskbar included, until the
  // editor comes up.
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_SHOWWINDOW);
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
  BringForward(hwnd());
  SetFocus(hwnd());
}

void TDisPlayForm::HideOverlay() {
  if (dragging_) EndDrag();
  ShowWindow(hwnd(), SW_HIDE);
  // The frozen screen is not needed until the next capture.
  canvas_.reset();
  frozen_ = Raster();
}

Raster TDisPlayForm::ShownPicture() const { return canvas_ ? canvas_->ToRaster() : Raster(); }

void TDisPlayForm::DrawBand(Point corner) {
  if (!canvas_ || !canvas_->Valid()) return;
  const auto path = BandPath(drag_.DragStart, corner);
  POINT points[5];
  for (int i = 0; i < 5; ++i)
    points[i] = {path[static_cast<std::size_t>(i)].x, path[static_cast<std::size_t>(i)].y};
  ui::SelectObjectScope pen(canvas_->dc.get(), band_pen_.get());
  const int old_rop = SetROP2(canvas_->dc.get(), R2_XORPEN);
  Polyline(canvas_->dc.get(), points, 5);
  SetROP2(canvas_->dc.get(), old_rop);
  const Rect b = BandBounds(drag_.DragStart, corner);
  RECT r{b.left, b.top, b.right, b.bottom};
  InvalidateRect(hwnd(), &r, FALSE);
}

void TDisPlayForm::PictMouseDown(UINT button) {
  if (dragging_ || in_editor_) return;
  drag_.DragStart = CursorNow();
  drag_.DragLast = drag_.DragStart;
  drag_button_ = button;
  dragging_ = true;
  SetCapture(hwnd());
  const Readout r = MakeReadout(drag_.DragStart, drag_.DragStart);
  panel_.SetCaptions(r.width_caption, r.height_caption);
  SetWindowPos(panel_.hwnd(), HWND_TOP, r.panel_origin.x, r.panel_origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TDisPlayForm::PictMouseMove() {
  if (!dragging_) return;
  const Point c = CursorNow();
  if (c == drag_.DragLast) return;
  const Readout r = MakeReadout(drag_.DragStart, c);
  panel_.SetCaptions(r.width_caption, r.height_caption);
  SetWindowPos(panel_.hwnd(), HWND_TOP, r.panel_origin.x, r.panel_origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  if (!(drag_.DragLast == drag_.DragStart)) DrawBand(drag_.DragLast);  // erase: XOR twice restores
  if (!(c == drag_.DragStart)) DrawBand(c);
  drag_.DragLast = c;
  UpdateWindow(hwnd());
}

void TDisPlayForm::EndDrag() {
  // The band comes off before anything else sees the picture, wherever
  // the mouse went after the last move.
  if (!(drag_.DragLast == drag_.DragStart)) DrawBand(drag_.DragLast);
  drag_.DragLast = drag_.DragStart;
  dragging_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  ShowWindow(panel_.hwnd(), SW_HIDE);
}

void TDisPlayForm::PictMouseUp(UINT button) {
  if (!dragging_ || button != drag_button_) return;
  EndDrag();
  drag_.DragEnd = CursorNow();
  MainWindowLink* main = Links().main;
  PictureSink* editor = Links().editor;
  if (!editor || !main || main->LiveCaptureMode() != CaptureMode::Region) {
    Cancel();
    return;
  }
  editor->LoadRegion(frozen_, POINT{drag_.DragStart.x, drag_.DragStart.y});
  // The editor must come up above the overlay.
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  in_editor_ = true;
  editor->ShowEditor(true);
  in_editor_ = false;
  HideOverlay();
}

void TDisPlayForm::Cancel() {
  if (in_editor_) return;
  HideOverlay();
  if (CaptureApi* capture = Links().capture) capture->OverlayCancelled();
}

void TDisPlayForm::FormPaint() {
  ui::PaintScope paint(hwnd());
  const RECT& r = paint.rect();
  if (canvas_ && canvas_->Valid()) {
    BitBlt(paint.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, canvas_->dc.get(), r.left, r.top,
           SRCCOPY);
    // Beyond a picture smaller than the window (the screen grew).
    RECT right{canvas_->width, 0, r.right, r.bottom};
    RECT below{0, canvas_->height, r.right, r.bottom};
    if (right.left < right.right)
      FillRect(paint.dc(), &right, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (below.top < below.bottom)
      FillRect(paint.dc(), &below, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else {
    FillRect(paint.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

LRESULT TDisPlayForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_PAINT:
      FormPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      PictMouseDown(WM_LBUTTONDOWN);
      return 0;
    case WM_MBUTTONDOWN:
      PictMouseDown(WM_MBUTTONDOWN);
      return 0;
    case WM_RBUTTONDOWN:
      if (!dragging_) Cancel();
      return 0;
    case WM_MOUSEMOVE:
      PictMouseMove();
      return 0;
    case WM_LBUTTONUP:
      PictMouseUp(WM_LBUTTONDOWN);
      return 0;
    case WM_MBUTTONUP:
      PictMouseUp(WM_MBUTTONDOWN);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse mid-drag: the drag is over.
      if (dragging_ && reinterpret_cast<HWND>(lparam) != hwnd()) EndDrag();
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) Cancel();
      return 0;
    case WM_CLOSE:
      Cancel();
      return 0;
    default:
      return DefaultHandler(msg, wparam, lparam);
  }
}

}  // namespace ksv::capture
