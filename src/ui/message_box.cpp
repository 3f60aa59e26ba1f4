#include "ui/message_box.h"

#include <utility>

namespace ksv::ui {
namespace {
MessageBoxInterceptor& Interceptor() {
  static MessageBoxInterceptor f;
  return f;
}
}  // namespace

const std::wstring& ApplicationTitle() {
  static const std::wstring title = L"墨隼捕手";
  return title;
}

int ShowMessage(HWND owner, const std::wstring& text, UINT flags, const std::wstring& caption) {
  const std::wstring& cap = caption.empty() ? ApplicationTitle() : caption;
  if (Interceptor()) return Interceptor()(MessageBoxCall{owner, text, cap, flags});
  return MessageBoxW(owner, text.c_str(), cap.c_str(), flags);
}

void ShowError(HWND owner, const std::wstring& text) { ShowMessage(owner, text, MB_OK | MB_ICONERROR); }

ScopedMessageBoxInterceptor::ScopedMessageBoxInterceptor(MessageBoxInterceptor f)
    : previous_(std::exchange(Interceptor(), std::move(f))) {}

ScopedMessageBoxInterceptor::~ScopedMessageBoxInterceptor() { Interceptor() = std::move(previous_); }

}  // namespace ksv::ui
