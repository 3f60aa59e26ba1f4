#include "ui/window.h"

#include <exception>
#include <vector>

#include "ui/controls.h"
#include "ui/message_box.h"

namespace ksv::ui {
namespace {

// One report at a time for the whole program: timers keep ticking inside
// the message box's own loop, and a handler that fails on every tick must
// not stack up boxes.
bool reporting_error = false;

void ReportHandlerError(HWND hwnd, const char* what) {
  if (reporting_error) return;
  reporting_error = true;
  ShowError(IsWindow(hwnd) ? hwnd : nullptr, Wide(what));
  reporting_error = false;
}

}  // namespace

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

HBRUSH SolidClassBrush(COLORREF colour) {
  struct Made {
    COLORREF colour;
    HBRUSH brush;
  };
  static std::vector<Made> made;
  for (const Made& m : made)
    if (m.colour == colour) return m.brush;
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush) made.push_back({colour, brush});
  return brush;
}

Window::~Window() {
  if (hwnd_) {
    HWND h = hwnd_;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::Create(const CreateParams& p) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(ModuleInstance(), p.class_name, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = p.class_style;
    wc.lpfnWndProc = &Window::WindowProc;
    wc.hInstance = ModuleInstance();
    wc.hIcon = p.icon;
    wc.hIconSm = p.small_icon;
    wc.hCursor = p.cursor ? p.cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = p.background;
    wc.lpszClassName = p.class_name;
    if (!RegisterClassExW(&wc)) return false;
  }
  HWND h = CreateWindowExW(p.ex_style, p.class_name, p.caption.c_str(), p.style, p.x, p.y, p.width, p.height,
                           p.parent, p.menu, ModuleInstance(), this);
  return h != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefaultHandler(msg, wparam, lparam);
}

LRESULT Window::DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, msg, wparam, lparam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
    self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) {
    const LRESULT r = self->GuardedHandleMessage(msg, wparam, lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnWindowGone();
    return r;
  }
  return self->GuardedHandleMessage(msg, wparam, lparam);
}

LRESULT Window::GuardedHandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  // An error raised by a handler must not unwind through the system's
  // frames: it is reported and ends only that event.
  try {
    return HandleMessage(msg, wparam, lparam);
  } catch (const std::exception& e) {
    ReportHandlerError(hwnd_, e.what());
    return 0;
  }
}

}  // namespace ksv::ui
