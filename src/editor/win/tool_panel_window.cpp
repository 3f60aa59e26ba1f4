// The editor's tool panel: the colour swatches, the tool buttons and the
// property pages of the tools, their layout and their owner-drawn buttons.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "../../../resources/resource_editor.h"
#include "editor/win/save_form.h"
#include "editor/win/save_form_parts.h"
#include "editor/win/tool_panel_window.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/property_page.h"

namespace ksv::editor {

using namespace detail;

namespace {

constexpr int kToolIconSide = 24;

constexpr int kPenStyles[kPenStyleCount] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
constexpr const char* kPenHints[kPenStyleCount] = {"实线", "虚线", "点线", "点划线", "双点划线", "无边框"};
// -1: solid, -2: hollow; otherwise a hatch style.
constexpr int kBrushStyles[kBrushStyleCount] = {-1,           -2,           HS_HORIZONTAL, HS_VERTICAL,
                                                HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS};
constexpr const char* kBrushHints[kBrushStyleCount] = {"实心填充", "无填充", "水平线", "垂直线",
                                                       "左斜线",   "右斜线", "十字线", "斜十字线"};

using ui::PageControlKind;
using ui::PageControlSpec;

constexpr RECT At(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

int Id(PageControl c) { return kPageControlBase + static_cast<int>(c); }

constexpr DWORD kEditStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kSpinStyle = WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

PageControlSpec Label(std::string_view caption, RECT r) {
  return ui::PageRow(-1, PageControlKind::Label, caption, r, WS_VISIBLE);
}
PageControlSpec Button(PageControl c, std::string_view caption, RECT r) {
  return ui::PageRow(Id(c), PageControlKind::Button, caption, r, kButtonStyle);
}
// An edit holding an integer in [min, max] and the up-down that steps it;
// the edit starts with the text of `value`.
void SpinEdit(std::vector<PageControlSpec>& rows, PageControl c, std::string_view text, int x, int y, int w,
              int min, int max, int value) {
  rows.push_back(ui::PageRow(Id(c), PageControlKind::Edit, text, At(x, y, w, 22), kEditStyle));
  rows.push_back(
      ui::PageRow(Id(c) + 100, PageControlKind::UpDown, {}, RECT{}, kSpinStyle, 0, min, max, 0, value));
}

// The controls of one property page, `width` wide; the first row is the
// page's frame.
std::vector<PageControlSpec> PageRows(const ToolPageInfo& info, int width) {
  std::vector<PageControlSpec> rows;
  rows.push_back(ui::PageRow(-1, PageControlKind::GroupBox, info.caption, At(2, 0, width - 4, 300),
                             WS_VISIBLE | BS_GROUPBOX));
  switch (info.page) {
    case ToolPage::kLineAndSoOn:
      for (int i = 0; i < kPenStyleCount; ++i) {
        rows.push_back(ui::PageRow(kPenStyleBase + i, PageControlKind::Button, {},
                                   At(8 + (i % 3) * 38, 20 + (i / 3) * 22, 36, 20), WS_VISIBLE | BS_OWNERDRAW,
                                   0, 0, 0, 0, std::nullopt, kPenHints[i]));
      }
      rows.push_back(Label("边框粗细", At(8, 70, 60, 18)));
      SpinEdit(rows, PageControl::kPenSize, "1", 70, 67, 50, 0, 100, 1);
      for (int i = 0; i < kBrushStyleCount; ++i) {
        rows.push_back(ui::PageRow(kBrushStyleBase + i, PageControlKind::Button, {},
                                   At(8 + (i % 4) * 28, 98 + (i / 4) * 28, 26, 26), WS_VISIBLE | BS_OWNERDRAW,
                                   0, 0, 0, 0, std::nullopt, kBrushHints[i]));
      }
      break;
    case ToolPage::kTextTool:
      rows.push_back(ui::PageRow(Id(PageControl::kTextEdit), PageControlKind::Edit, "请输入您想要的文字",
                                 At(8, 22, width - 16, 22), kEditStyle));
      rows.push_back(Button(PageControl::kTextPropertiesBtn, "文字属性", At(8, 50, width - 16, 26)));
      rows.push_back(ui::PageRow(Id(PageControl::kTextLabel), PageControlKind::Label,
                                 "在图像上点击鼠标，文字即会出现在鼠标的位置。", At(8, 84, width - 16, 60),
                                 WS_VISIBLE));
      break;
    case ToolPage::kSprayGun:
      rows.push_back(Label("半径大小：", At(8, 25, 64, 18)));
      SpinEdit(rows, PageControl::kRadius, "10", 72, 22, 50, 1, 500, 10);
      break;
    case ToolPage::kMagnifyingGlass:
      rows.push_back(Label("放大率", At(8, 25, 50, 18)));
      SpinEdit(rows, PageControl::kMagnificationEdit, "2", 62, 22, 56, 2, 50, 2);
      rows.push_back(Label("半径", At(8, 53, 50, 18)));
      SpinEdit(rows, PageControl::kRadiusEdit, "30", 62, 50, 56, 10, 100, 30);
      rows.push_back(ui::PageRow(-1, PageControlKind::GroupBox, "形状", At(8, 78, width - 16, 44),
                                 WS_VISIBLE | BS_GROUPBOX));
      rows.push_back(ui::PageRow(Id(PageControl::kShapeSquare), PageControlKind::RadioButton, "方形",
                                 At(14, 96, 50, 20), WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                 0, 0, 0, 0, 1));
      rows.push_back(ui::PageRow(Id(PageControl::kShapeRound), PageControlKind::RadioButton, "圆形",
                                 At(66, 96, 50, 20), WS_VISIBLE | BS_AUTORADIOBUTTON));
      rows.push_back(ui::PageRow(Id(PageControl::kUseBorder), PageControlKind::CheckBox, "边框",
                                 At(14, 128, 50, 20), WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0,
                                 0, 0, 0, 1));
      rows.push_back(ui::PageRow(Id(PageControl::kUseCursor), PageControlKind::CheckBox, "光标",
                                 At(66, 128, 50, 20), WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0,
                                 1));
      break;
    case ToolPage::kImageScaling:
      rows.push_back(Button(PageControl::kEnlargeBtn, "放大", At(8, 22, width - 16, 26)));
      rows.push_back(Button(PageControl::kNarrowBtn, "缩小", At(8, 52, width - 16, 26)));
      rows.push_back(Button(PageControl::kActualSizeBtn, "实际大小", At(8, 82, width - 16, 26)));
      break;
    case ToolPage::kArbitraryDegrees:
      rows.push_back(Label("旋转角度", At(8, 25, 56, 18)));
      SpinEdit(rows, PageControl::kArbitraryDegreesText, "90", 66, 22, 54, -360, 360, 90);
      rows.push_back(Button(PageControl::kArbitraryDegreesBtn, "确定", At(8, 52, width - 16, 26)));
      break;
    case ToolPage::kTranslation:
      rows.push_back(Label("横轴", At(8, 25, 40, 18)));
      SpinEdit(rows, PageControl::kTransverseEdit, "10", 50, 22, 70, -32768, 32767, 10);
      rows.push_back(Label("纵轴", At(8, 53, 40, 18)));
      SpinEdit(rows, PageControl::kLongitudinalAxisEdit, "10", 50, 50, 70, -32768, 32767, 10);
      rows.push_back(Button(PageControl::kTranslationOKBtn, "确定", At(8, 80, width - 16, 26)));
      break;
  }
  return rows;
}

}  // namespace

void TSaveForm::CreateToolsPanel() {
  tools_panel_.CreateToolPanel(hwnd(), kToolsPanelId);
  color_panel_.CreatePanel(tools_panel_.hwnd(), hwnd(), kColorPanelId);
  color_panel_.on_paint = [this](HDC dc, const RECT& client) { PaintColorPanel(dc, client); };
  color_panel_.on_mouse_down = [this](UINT, POINT at) { ColorPanelMouseDown(at); };
  const ToolsPanelLayout l = ComputeToolsPanelLayout({FormMetrics{}.tools_panel_width, 400});
  exchange_button_ =
      ui::CreateChild(color_panel_.hwnd(), WC_BUTTONW, L"", WS_VISIBLE | BS_OWNERDRAW, kExchangeId,
                      l.exchange.left, l.exchange.top, l.exchange.Width(), l.exchange.Height());
  ui::AddHint(hints_, exchange_button_, ui::Wide(kExchangeColorHint));
  RECT fg = ToRECT(l.foreground);
  RECT bg = ToRECT(l.background);
  ui::AddHint(hints_, color_panel_.hwnd(), ui::Wide(kForegroundHint), &fg);
  ui::AddHint(hints_, color_panel_.hwnd(), ui::Wide(kBackgroundHint), &bg);

  tools_box_.CreatePanel(tools_panel_.hwnd(), hwnd(), kToolsBoxId);
  RECT whole_tools{0, 0, l.tools.Width(), l.tools.Height()};
  ui::AddHint(hints_, tools_box_.hwnd(), ui::Wide(kToolsPanelHint), &whole_tools);
  for (const ToolInfo& info : ToolButtons()) {
    const int i = static_cast<int>(info.tool);
    const Rect& r = l.buttons[i];
    tool_icons_[static_cast<std::size_t>(i)].reset(
        static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_EDITOR_TOOL_FIRST + i),
                                      IMAGE_ICON, kToolIconSide, kToolIconSide, 0)));
    const HICON icon = tool_icons_[static_cast<std::size_t>(i)].get();
    // Without its picture a button shows the first character of its hint.
    const std::wstring fallback = ui::Wide(info.hint).substr(0, 1);
    HWND button = ui::CreateChild(tools_box_.hwnd(), WC_BUTTONW, icon ? L"" : fallback,
                                  WS_VISIBLE | WS_TABSTOP |
                                      (info.in_group ? BS_PUSHLIKE | BS_CHECKBOX : BS_PUSHBUTTON) |
                                      (icon ? BS_ICON : 0),
                                  kToolButtonBase + i, r.left, r.top - l.tools.top, r.Width(), r.Height());
    if (icon != nullptr) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    tool_buttons_[static_cast<std::size_t>(i)] = button;
    ui::AddHint(hints_, button, ui::Wide(info.hint));
  }
  for (const ToolInfo& info : ToolButtons()) {
    if (!info.in_group) continue;
    SendMessageW(tool_buttons_[static_cast<std::size_t>(info.tool)], BM_SETCHECK,
                 tools_.IsPressed(info.tool) ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  pages_box_.CreatePanel(tools_panel_.hwnd(), hwnd(), kPagesBoxId);
  RECT whole_pages{0, 0, l.pages.Width(), 30};
  ui::AddHint(hints_, pages_box_.hwnd(), ui::Wide(kAttributeToolboxHint), &whole_pages);
  CreatePages();
  ShowPage(kInitialToolPage);
  tools_panel_.on_layout = [this] { LayoutToolsPanel(); };
}

void TSaveForm::CreatePages() {
  const int width = FormMetrics{}.tools_panel_width;
  auto in = [](int id, int base, int count) { return id >= base && id < base + count; };
  for (const ToolPageInfo& info : ToolPages()) {
    auto page = std::make_unique<PanelWindow>();
    page->CreatePanel(pages_box_.hwnd(), hwnd(), kPageFirstId + static_cast<int>(info.page), false);
    const std::vector<ui::PageControlSpec> rows = PageRows(info, width);
    ui::PagePlacement at;
    at.hints = hints_;
    const std::vector<HWND> made = ui::BuildPage(page->hwnd(), rows, at);
    page_frames_[static_cast<std::size_t>(info.page)] = made.front();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const int id = rows[i].id;
      if (in(id, kPageControlBase, static_cast<int>(PageControl::kCount)))
        page_controls_[static_cast<std::size_t>(id - kPageControlBase)] = made[i];
      else if (in(id, kPenStyleBase, kPenStyleCount))
        pen_buttons_[static_cast<std::size_t>(id - kPenStyleBase)] = made[i];
      else if (in(id, kBrushStyleBase, kBrushStyleCount))
        brush_buttons_[static_cast<std::size_t>(id - kBrushStyleBase)] = made[i];
    }
    ShowWindow(page->hwnd(), SW_HIDE);
    pages_[static_cast<std::size_t>(info.page)] = std::move(page);
  }
}

HWND TSaveForm::PageControlHandle(PageControl control) const {
  return page_controls_[static_cast<std::size_t>(control)];
}

void TSaveForm::ShowPage(ToolPage page) {
  shown_page_ = page;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i])
      ShowWindow(pages_[i]->hwnd(), static_cast<int>(i) == static_cast<int>(page) ? SW_SHOW : SW_HIDE);
  }
}

void TSaveForm::ToolButtonClick(Tool tool) {
  const std::optional<ToolPage> page = tools_.Click(tool);
  for (const ToolInfo& info : ToolButtons()) {
    if (!info.in_group) continue;
    SendMessageW(tool_buttons_[static_cast<std::size_t>(info.tool)], BM_SETCHECK,
                 tools_.IsPressed(info.tool) ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (page) ShowPage(*page);
}

void TSaveForm::LayoutToolsPanel() {
  if (tools_panel_.hwnd() == nullptr) return;
  RECT r;
  GetClientRect(tools_panel_.hwnd(), &r);
  const ToolsPanelLayout l = ComputeToolsPanelLayout({r.right, r.bottom});
  auto place = [](HWND h, const Rect& rect) {
    SetWindowPos(h, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(color_panel_.hwnd(), l.color_panel);
  place(tools_box_.hwnd(), l.tools);
  place(pages_box_.hwnd(), l.pages);
  for (const auto& page : pages_) {
    if (page) place(page->hwnd(), {0, 0, l.pages.Width(), l.pages.Height()});
  }
  for (HWND frame : page_frames_) {
    if (frame != nullptr) place(frame, {2, 0, l.pages.Width() - 2, l.pages.Height() - 2});
  }
}

// Colours.

void TSaveForm::PaintColorPanel(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const ToolsPanelLayout l = ComputeToolsPanelLayout({client.right, 400});
  auto swatch = [dc](const Rect& r, Color c) {
    RECT rect = ToRECT(r);
    ui::Brush brush(CreateSolidBrush(c));
    FillRect(dc, &rect, brush.get());
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rect, -1, -1);
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  };
  // The background swatch lies under the foreground one.
  swatch(l.background, doc_.BackgroundColor());
  swatch(l.foreground, doc_.ForegroundColor());
}

void TSaveForm::ColorPanelMouseDown(POINT at) {
  const ToolsPanelLayout l = ComputeToolsPanelLayout({FormMetrics{}.tools_panel_width, 400});
  if (l.foreground.Contains({at.x, at.y})) {
    ForeGroundColorMouseDown();
  } else if (l.background.Contains({at.x, at.y})) {
    BackGroundColorMouseDown();
  }
}

void TSaveForm::ForeGroundColorMouseDown() {
  if (!system_.color_dialog) return;
  if (const auto c = system_.color_dialog(hwnd(), doc_.ColorDialogColor())) {
    doc_.ForegroundColorChosen(static_cast<Color>(*c) & 0xFFFFFF);
    InvalidateRect(color_panel_.hwnd(), nullptr, TRUE);
  }
}

void TSaveForm::BackGroundColorMouseDown() {
  if (!system_.color_dialog) return;
  if (const auto c = system_.color_dialog(hwnd(), doc_.ColorDialogColor())) {
    doc_.BackgroundColorChosen(static_cast<Color>(*c) & 0xFFFFFF);
    InvalidateRect(color_panel_.hwnd(), nullptr, TRUE);
  }
}

void TSaveForm::ExchangeColorBtnClick() {
  doc_.ExchangeColorBtnClick();
  InvalidateRect(color_panel_.hwnd(), nullptr, TRUE);
}

bool TSaveForm::DrawOwnerItem(const DRAWITEMSTRUCT& item) {
  const int id = static_cast<int>(item.CtlID);
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  if (id == kExchangeId) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : BDR_RAISEDINNER, BF_RECT);
    // Two arrows bent round a corner, one towards each swatch.
    ui::Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
    ui::SelectObjectScope select(dc, pen.get());
    const int l = r.left + 5, t = r.top + 5, rr = r.right - 6, b = r.bottom - 6;
    const POINT curve[] = {{l + 2, t}, {rr, t}, {rr, b - 2}};
    Polyline(dc, curve, 3);
    const POINT head1[] = {{l + 5, t - 3}, {l + 2, t}, {l + 5, t + 3}};
    Polyline(dc, head1, 3);
    const POINT head2[] = {{rr - 3, b - 5}, {rr, b - 2}, {rr + 3, b - 5}};
    Polyline(dc, head2, 3);
    return true;
  }
  const bool pen_button = id >= kPenStyleBase && id < kPenStyleBase + kPenStyleCount;
  const bool brush_button = id >= kBrushStyleBase && id < kBrushStyleBase + kBrushStyleCount;
  if (!pen_button && !brush_button) return false;
  const bool chosen = pen_button ? id - kPenStyleBase == pen_style_ : id - kBrushStyleBase == brush_style_;
  FillRect(dc, &r, GetSysColorBrush(chosen ? COLOR_WINDOW : COLOR_BTNFACE));
  DrawEdge(dc, &r, chosen || pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  InflateRect(&r, -4, -4);
  if (pen_button) {
    const int style = kPenStyles[id - kPenStyleBase];
    if (style == PS_NULL) {
      // No outline: a faint cross says "none".
      ui::Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT)));
      ui::SelectObjectScope select(dc, pen.get());
      MoveToEx(dc, r.left, r.top, nullptr);
      LineTo(dc, r.right, r.bottom);
      MoveToEx(dc, r.left, r.bottom, nullptr);
      LineTo(dc, r.right, r.top);
    } else {
      ui::Pen pen(CreatePen(style, 1, RGB(0, 0, 0)));
      ui::SelectObjectScope select(dc, pen.get());
      SetBkMode(dc, TRANSPARENT);
      const int y = (r.top + r.bottom) / 2;
      MoveToEx(dc, r.left, y, nullptr);
      LineTo(dc, r.right, y);
    }
  } else {
    const int style = kBrushStyles[id - kBrushStyleBase];
    ui::Brush brush(style == -1   ? CreateSolidBrush(RGB(0, 0, 0))
                    : style == -2 ? nullptr
                                  : CreateHatchBrush(style, RGB(0, 0, 0)));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    InflateRect(&r, -1, -1);
    if (brush) {
      SetBkColor(dc, GetSysColor(chosen ? COLOR_WINDOW : COLOR_BTNFACE));
      FillRect(dc, &r, brush.get());
    }
  }
  return true;
}

}  // namespace ksv::editor
