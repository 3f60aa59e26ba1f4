#include "capture/win/screen_win.h"

#include <cstring>

#include "ui/gdi.h"

namespace ksv::capture {

namespace {

// The size of a cursor's image from the bitmaps GetIconInfo hands out; a
// monochrome cursor keeps its AND and XOR masks one above the other.
Size CursorImageSize(const ICONINFO& info) {
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) return {bm.bmWidth, bm.bmHeight};
  if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm)) return {bm.bmWidth, bm.bmHeight / 2};
  return {};
}

}  // namespace

Size PrimaryScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Raster GrabScreen() {
  const Size size = PrimaryScreenSize();
  Raster working(size.width, size.height);
  if (working.Empty()) return working;
  ui::WindowDC screen(nullptr);
  ui::MemoryDC memory(screen.get());
  // The working bitmap has the 32-bit layout of today's screens, so the
  // copy out of the screen is a plain copy; the 24-bit picture is packed
  // from it here, which is cheaper than asking GDI to convert.
  BITMAPINFO bi = ui::TopDownDibInfo(size.width, size.height, 32);
  void* raw = nullptr;
  ui::Bitmap bitmap(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &raw, nullptr, 0));
  if (!bitmap || !raw) return working;
  {
    ui::SelectObjectScope select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, size.width, size.height, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  const auto* bits = static_cast<const std::uint8_t*>(raw);
  for (int y = 0; y < size.height; ++y) {
    const std::uint8_t* src = bits + static_cast<std::size_t>(y) * size.width * 4;
    std::uint8_t* dst = working.MutableRow(y);
    for (int x = 0; x < size.width; ++x, src += 4, dst += 3) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
  return working;
}

HCURSOR TargetCursor() {
  POINT pos{};
  GetCursorPos(&pos);
  const HWND under = WindowFromPoint(pos);
  const DWORD target = under ? GetWindowThreadProcessId(under, nullptr) : 0;
  const DWORD self = GetCurrentThreadId();
  const bool attached = target != 0 && target != self && AttachThreadInput(self, target, TRUE);
  HCURSOR cursor = GetCursor();
  if (attached) AttachThreadInput(self, target, FALSE);
  if (!cursor) {
    // No thread owns a cursor there (the desktop): take what is shown.
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    if (GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING)) cursor = info.hCursor;
  }
  return cursor;
}

void DrawCursor(Raster& working) {
  const HCURSOR cursor = TargetCursor();
  if (!cursor) return;  // the cursor is hidden
  POINT mouse{};
  GetCursorPos(&mouse);
  // Some systems (Wine) keep another process's cursor image out of reach;
  // the standard arrow is then the best likeness, being what most windows
  // show.
  if (!DrawCursorAt(working, cursor, mouse)) DrawCursorAt(working, LoadCursorW(nullptr, IDC_ARROW), mouse);
}

bool DrawCursorAt(Raster& working, HCURSOR cursor, POINT mouse) {
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return false;
  Size image;
  {
    ui::Bitmap mask(info.hbmMask);
    ui::Bitmap color(info.hbmColor);
    image = CursorImageSize(info);
  }
  const CursorPatch patch =
      PlaceCursor({mouse.x, mouse.y}, {static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)},
                  image, {working.Width(), working.Height()});
  if (patch.screen.Empty()) return true;

  // Only the pixels under the cursor go through GDI.
  const int w = patch.screen.Width();
  const int h = patch.screen.Height();
  BITMAPINFO bi = ui::TopDownDibInfo(w, h);
  void* bits = nullptr;
  ui::WindowDC screen(nullptr);
  ui::Bitmap dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return true;
  ui::MemoryDC memory(screen.get());
  const int stride = ((w * 3) + 3) & ~3;
  auto* dst = static_cast<std::uint8_t*>(bits);
  const std::size_t row_bytes = static_cast<std::size_t>(w) * 3;
  const std::size_t left = static_cast<std::size_t>(patch.screen.left) * 3;
  for (int y = 0; y < h; ++y) {
    std::memcpy(dst + static_cast<std::size_t>(y) * stride, working.Row(patch.screen.top + y) + left,
                row_bytes);
  }
  {
    ui::SelectObjectScope select(memory.get(), dib.get());
    DrawIconEx(memory.get(), patch.image_origin.x, patch.image_origin.y, cursor, 0, 0, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  for (int y = 0; y < h; ++y) {
    std::memcpy(working.MutableRow(patch.screen.top + y) + left, dst + static_cast<std::size_t>(y) * stride,
                row_bytes);
  }
  return true;
}

Point CursorPosition() {
  POINT pos{};
  GetCursorPos(&pos);
  return {pos.x, pos.y};
}

std::optional<Rect> WindowRect(HWND hwnd) {
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) return std::nullopt;
  return Rect{r.left, r.top, r.right, r.bottom};
}

std::optional<Rect> ForegroundWindowRect() { return WindowRect(GetForegroundWindow()); }

std::optional<Rect> WindowRectUnderCursor() {
  POINT pos{};
  GetCursorPos(&pos);
  return WindowRect(WindowFromPoint(pos));
}

}  // namespace ksv::capture
