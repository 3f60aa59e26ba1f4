#include "editor/win/panel_window.h"

#include <windowsx.h>

#include "ui/gdi.h"

namespace ksv::editor {

void DrawRaster(HDC dc, int x, int y, const Raster& raster) {
  if (raster.Empty()) return;
  BITMAPINFO bi = ui::TopDownDibInfo(raster.Width(), raster.Height());
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(raster.Width()), static_cast<DWORD>(raster.Height()), 0, 0,
                    0, static_cast<UINT>(raster.Height()), raster.Bits(), &bi, DIB_RGB_COLORS);
}

bool PanelWindow::CreatePanel(HWND parent, HWND target, int id, bool clip_children,
                              const wchar_t* class_name) {
  target_ = target;
  CreateParams p;
  p.class_name = class_name;
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (clip_children ? WS_CLIPCHILDREN : 0u);
  p.ex_style = WS_EX_CONTROLPARENT;
  p.parent = parent;
  p.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.x = p.y = 0;
  p.width = p.height = 10;
  return Create(p);
}

LRESULT PanelWindow::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      if (target_ != nullptr) return SendMessageW(target_, msg, wparam, lparam);
      break;
    case WM_PAINT:
      if (on_paint) {
        ui::PaintScope paint(hwnd());
        RECT client;
        GetClientRect(hwnd(), &client);
        on_paint(paint.dc(), client);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (on_mouse_down) {
        on_mouse_down(msg, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      if (target_ != nullptr) return SendMessageW(target_, msg, wparam, lparam);
      break;
    default:
      break;
  }
  return DefaultHandler(msg, wparam, lparam);
}

bool ScrollBox::CreateBox(HWND parent, EditorDocument* document, int id) {
  document_ = document;
  CreateParams p;
  p.class_name = L"TKsvScrollBox";
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL;
  p.parent = parent;
  p.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.x = p.y = 0;
  p.width = p.height = 10;
  p.background = nullptr;  // painted whole, double buffered
  return Create(p);
}

void ScrollBox::Refresh() {
  if (hwnd() == nullptr) return;
  const Size displayed = document_->DisplayedSize();
  const ScrollView& view = document_->View();
  const ScrollBars& bars = document_->Bars();
  const Size extent = view.Extent(displayed);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = bars.horizontal ? extent.width - 1 : 0;
  si.nPage = bars.horizontal ? static_cast<UINT>(bars.viewport.width) : 0;
  si.nPos = view.ScrollPosition().x;
  SetScrollInfo(hwnd(), SB_HORZ, &si, FALSE);
  ShowScrollBar(hwnd(), SB_HORZ, bars.horizontal);
  si.nMax = bars.vertical ? extent.height - 1 : 0;
  si.nPage = bars.vertical ? static_cast<UINT>(bars.viewport.height) : 0;
  si.nPos = view.ScrollPosition().y;
  SetScrollInfo(hwnd(), SB_VERT, &si, FALSE);
  ShowScrollBar(hwnd(), SB_VERT, bars.vertical);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void ScrollBox::Paint() {
  ui::PaintScope paint(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  if (w <= 0 || h <= 0) return;
  // Everything goes into a memory bitmap first and reaches the screen in
  // one copy, so a drag or a zoom step never shows a half-drawn view.
  ui::MemoryDC memory(paint.dc());
  ui::Bitmap buffer(CreateCompatibleBitmap(paint.dc(), w, h));
  ui::SelectObjectScope select(memory.get(), buffer.get());
  FillRect(memory.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  const Rect at = document_->RenderVisible(visible_);
  if (!at.Empty()) DrawRaster(memory.get(), at.left, at.top, visible_);
  BitBlt(paint.dc(), 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
}

void ScrollBox::Scroll(int bar, WPARAM request) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd(), bar, &si);
  const Point now = document_->View().ScrollPosition();
  int pos = bar == SB_HORZ ? now.x : now.y;
  const int page = static_cast<int>(si.nPage);
  switch (LOWORD(request)) {
    case SB_LINEUP:
      pos -= ScrollView::kLineStep;
      break;
    case SB_LINEDOWN:
      pos += ScrollView::kLineStep;
      break;
    case SB_PAGEUP:
      pos -= page;
      break;
    case SB_PAGEDOWN:
      pos += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = si.nTrackPos;
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = si.nMax;
      break;
    default:
      return;
  }
  document_->ScrollTo(bar == SB_HORZ ? Point{pos, now.y} : Point{now.x, pos});
  Refresh();
}

LRESULT ScrollBox::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, wparam);
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, wparam);
      return 0;
    case WM_MOUSEWHEEL:
      if (on_wheel) on_wheel(GET_WHEEL_DELTA_WPARAM(wparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const Point view = document_->BoxToView({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (!Rect::FromOriginSize({0, 0}, document_->DisplayedSize()).Contains(view)) break;
      // Pic keeps the mouse while a button is held, so moves outside it
      // still arrive.
      SetCapture(hwnd());
      dragging_ = true;
      if (on_pic_mouse) on_pic_mouse(msg, view);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const Point view = document_->BoxToView({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (on_pic_mouse) on_pic_mouse(msg, view);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!dragging_) break;
      dragging_ = false;
      ReleaseCapture();
      const Point view = document_->BoxToView({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (on_pic_mouse) on_pic_mouse(msg, view);
      return 0;
    }
    case WM_CAPTURECHANGED:
      dragging_ = false;
      break;
    default:
      break;
  }
  return DefaultHandler(msg, wparam, lparam);
}

}  // namespace ksv::editor
