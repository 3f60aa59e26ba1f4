#include "ui/font.h"

#include "ui/gdi.h"

namespace ksv::ui {

HFONT CreateUiFont(const wchar_t* face, int point_size, int weight) {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(point_size, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

HFONT UiFont() {
  static Font font(CreateUiFont(L"Microsoft YaHei", 9));
  return font.get();
}

namespace {
// A named CALLBACK function: a lambda does not convert to a stdcall
// pointer in the 32-bit build.
BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}
}  // namespace

void ApplyUiFont(HWND hwnd) {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  EnumChildWindows(hwnd, SetFontOnChild, reinterpret_cast<LPARAM>(UiFont()));
}

}  // namespace ksv::ui
