#include "output/win/system_texts.h"

#include <windows.h>

#include <string_view>

#include "core/text.h"
#include "output/stream.h"

namespace ksv {

namespace {

std::string FromWide(const wchar_t* text, int length) {
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)));
}

std::string FormatDate(const SYSTEMTIME& now) {
  wchar_t buffer[128];
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, 128);
  return n > 0 ? FromWide(buffer, n - 1) : std::string();
}

std::string FormatTime(const SYSTEMTIME& now) {
  wchar_t buffer[128];
  const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, 128);
  return n > 0 ? FromWide(buffer, n - 1) : std::string();
}

}  // namespace

DateTimeTexts CurrentDateTimeTexts() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {FormatDate(now), FormatTime(now)};
}

std::string SystemErrorMessage(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (n == 0 || text == nullptr) return std::string();
  int length = static_cast<int>(n);
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
    --length;
  std::string message = FromWide(text, length);
  LocalFree(text);
  return message;
}

void InstallSystemErrorTexts() { SetSystemErrorTextSource(&SystemErrorMessage); }

}  // namespace ksv
