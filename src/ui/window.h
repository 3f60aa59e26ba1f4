// Base class of every window of the program. A static trampoline binds the
// C++ object to its HWND at WM_NCCREATE; HandleMessage() then dispatches to
// the member handlers of the derived class. The object owns its HWND: it
// destroys the window when it dies, and the back-pointer is cleared at
// WM_NCDESTROY so no message reaches a dead object. An exception thrown by
// a handler is caught here and shown with the standard error report (one
// box at a time for the whole program), so it never crosses the system's
// frames; the message then returns 0.
#pragma once

#include <windows.h>

#include <string>

namespace ksv::ui {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  // The object behind a window created by this class, or nullptr.
  static Window* FromHandle(HWND hwnd);

 protected:
  struct CreateParams {
    const wchar_t* class_name = nullptr;
    std::wstring caption;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD ex_style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    UINT class_style = CS_DBLCLKS;
    HCURSOR cursor = nullptr;
  };

  // Registers the class (once) and creates the window. Returns false if the
  // window could not be made.
  bool Create(const CreateParams& params);

  // Everything not handled goes to DefWindowProc.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam);

  // Called after WM_NCDESTROY, when the HWND is already gone.
  virtual void OnWindowGone() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT GuardedHandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

HINSTANCE ModuleInstance();

// A solid brush for a window class's background, made once per colour for
// the life of the process: the class goes on using it after any one window
// of it is gone, and a brush made at every window creation would be
// dropped once the class exists.
HBRUSH SolidClassBrush(COLORREF colour);

}  // namespace ksv::ui
