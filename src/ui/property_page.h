// Property pages described as data: every control of a page is one row
// (id, kind, caption, rectangle, style, range, initial value, hint) and one
// builder makes the controls of any window's pages from such rows.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ksv::ui {

enum class PageControlKind {
  CheckBox,
  RadioButton,
  Edit,
  UpDown,  // attached to the control made just before it
  Label,
  GroupBox,
  Button,  // push buttons and owner-drawn ones
  TrackBar,
};

struct PageControlSpec {
  int id = -1;  // -1: a control nobody asks for again (a label, a frame)
  PageControlKind kind = PageControlKind::Label;
  std::string_view caption;  // UTF-8
  RECT rect{};               // at 96 dpi, from the page's origin
  DWORD style = 0;           // the control's own style bits; WS_CHILD is added
  DWORD ex_style = 0;
  // Up-downs and track bars: the range, and the track bar's page step.
  int min = 0;
  int max = 0;
  int page_size = 0;
  // Up-downs and track bars: the position; check boxes and radio buttons:
  // nonzero for checked. Nothing: left as the control starts.
  std::optional<int> value;
  std::string_view hint;  // UTF-8; shown while the mouse rests on it
};

// A row with its fields in the order above.
inline PageControlSpec PageRow(int id, PageControlKind kind, std::string_view caption = {}, RECT rect = {},
                               DWORD style = 0, DWORD ex_style = 0, int min = 0, int max = 0,
                               int page_size = 0, std::optional<int> value = std::nullopt,
                               std::string_view hint = {}) {
  PageControlSpec s;
  s.id = id;
  s.kind = kind;
  s.caption = caption;
  s.rect = rect;
  s.style = style;
  s.ex_style = ex_style;
  s.min = min;
  s.max = max;
  s.page_size = page_size;
  s.value = value;
  s.hint = hint;
  return s;
}

// Where and how large a page's controls are made.
struct PagePlacement {
  POINT origin{};  // of the page in `parent`'s client area, in pixels
  int dpi = 96;    // the rectangles' edges are scaled to it
  HWND hints = nullptr;
};

// Makes the controls of `controls` in order as children of `parent`, later
// ones above earlier ones; returns their handles in the same order (null
// where a control could not be made).
std::vector<HWND> BuildPage(HWND parent, std::span<const PageControlSpec> controls,
                            const PagePlacement& placement = {});

}  // namespace ksv::ui
