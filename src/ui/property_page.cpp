#include "ui/property_page.h"

#include <commctrl.h>

#include "ui/controls.h"

namespace ksv::ui {
namespace {

const wchar_t* ClassOf(PageControlKind kind) {
  switch (kind) {
    case PageControlKind::Edit:
      return WC_EDITW;
    case PageControlKind::UpDown:
      return UPDOWN_CLASSW;
    case PageControlKind::Label:
      return WC_STATICW;
    case PageControlKind::TrackBar:
      return TRACKBAR_CLASSW;
    case PageControlKind::CheckBox:
    case PageControlKind::RadioButton:
    case PageControlKind::GroupBox:
    case PageControlKind::Button:
      break;
  }
  return WC_BUTTONW;
}

}  // namespace

std::vector<HWND> BuildPage(HWND parent, std::span<const PageControlSpec> controls, const PagePlacement& at) {
  // Edges are scaled, not sizes, so neighbours that touch keep touching.
  auto scale = [&](LONG v) { return MulDiv(v, at.dpi, 96); };
  std::vector<HWND> made;
  made.reserve(controls.size());
  HWND previous = nullptr;
  for (const PageControlSpec& c : controls) {
    const int left = scale(c.rect.left), top = scale(c.rect.top);
    HWND h =
        CreateChild(parent, ClassOf(c.kind), Wide(c.caption), c.style, c.id, at.origin.x + left,
                    at.origin.y + top, scale(c.rect.right) - left, scale(c.rect.bottom) - top, c.ex_style);
    switch (c.kind) {
      case PageControlKind::UpDown:
        SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(previous), 0);
        SendMessageW(h, UDM_SETRANGE32, static_cast<WPARAM>(c.min), static_cast<LPARAM>(c.max));
        if (c.value) SendMessageW(h, UDM_SETPOS32, 0, *c.value);
        break;
      case PageControlKind::TrackBar:
        SendMessageW(h, TBM_SETRANGEMIN, FALSE, c.min);
        SendMessageW(h, TBM_SETRANGEMAX, FALSE, c.max);
        if (c.page_size > 0) SendMessageW(h, TBM_SETPAGESIZE, 0, c.page_size);
        if (c.value) SendMessageW(h, TBM_SETPOS, TRUE, *c.value);
        break;
      case PageControlKind::CheckBox:
      case PageControlKind::RadioButton:
        if (c.value) SetChecked(h, *c.value != 0);
        break;
      default:
        break;
    }
    if (!c.hint.empty()) AddHint(at.hints, h, Wide(c.hint));
    made.push_back(h);
    previous = h;
  }
  return made;
}

}  // namespace ksv::ui
