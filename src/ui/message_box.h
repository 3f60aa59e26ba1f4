// Every message box of the program goes through ShowMessage(). Tests put an
// interceptor in place so a box is recorded instead of blocking the run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ksv::ui {

struct MessageBoxCall {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT flags;
};

// Returns what the box would return (IDOK, IDYES, ...).
using MessageBoxInterceptor = std::function<int(const MessageBoxCall&)>;

// A modal box; the caption defaults to the application title.
int ShowMessage(HWND owner, const std::wstring& text, UINT flags = MB_OK | MB_ICONINFORMATION,
                const std::wstring& caption = {});
// The application's standard error report for an error raised by a handler.
void ShowError(HWND owner, const std::wstring& text);

// Installs an interceptor for the life of the object (tests only).
class ScopedMessageBoxInterceptor {
 public:
  explicit ScopedMessageBoxInterceptor(MessageBoxInterceptor f);
  ~ScopedMessageBoxInterceptor();
  ScopedMessageBoxInterceptor(const ScopedMessageBoxInterceptor&) = delete;
  ScopedMessageBoxInterceptor& operator=(const ScopedMessageBoxInterceptor&) = delete;

 private:
  MessageBoxInterceptor previous_;
};

// The application title shown by message boxes and the taskbar.
const std::wstring& ApplicationTitle();

}  // namespace ksv::ui
