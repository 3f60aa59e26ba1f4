#include "editor/win/save_form.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>

#include "../../../resources/resource_editor.h"
#include "app/win/registry_win.h"
#include "core/text.h"
#include "editor/menu_layout.h"
#include "editor/status_text.h"
#include "editor/win/shortcut_hook.h"
#include "ui/font.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"

namespace ksv::editor {

namespace {

std::wstring W(std::string_view utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

int CommandId(EditorCommand c) { return kCommandBase + static_cast<int>(c); }
constexpr int kCommandCount = static_cast<int>(EditorCommand::kActualSize) + 1;

constexpr int kToolBarId = 2100;
constexpr int kStatusBarId = 2101;
constexpr int kScrollBoxId = 2102;
constexpr int kToolsPanelId = 2103;
constexpr int kColorPanelId = 2104;
constexpr int kExchangeId = 2105;
constexpr int kToolsBoxId = 2106;
constexpr int kPagesBoxId = 2107;
constexpr int kPageFirstId = 2110;

constexpr int kToolBarButtonWidth = 55;
constexpr int kToolBarButtonHeight = 60;
constexpr int kToolBarIconSide = 40;
constexpr int kToolIconSide = 24;

// The toolbar's texts outlive the buttons that point at them.
const std::vector<std::wstring>& ToolBarCaptions() {
  static const std::vector<std::wstring> captions = [] {
    std::vector<std::wstring> v;
    for (const ToolButtonInfo& b : EditorToolButtons()) v.push_back(W(b.caption));
    return v;
  }();
  return captions;
}

const std::vector<std::wstring>& ToolBarHints() {
  static const std::vector<std::wstring> hints = [] {
    std::vector<std::wstring> v;
    for (const ToolButtonInfo& b : EditorToolButtons()) v.push_back(W(b.hint));
    return v;
  }();
  return hints;
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x, int y,
           int w, int h, DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ui::ModuleInstance(), nullptr);
}

// An edit with an up-down control holding an integer in [min, max].
HWND SpinEdit(HWND parent, int id, int x, int y, int w, int min, int max, int value) {
  HWND edit = Child(parent, WC_EDITW, std::to_wstring(value), WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, id, x,
                    y, w, 22, 0);
  HWND spin = Child(parent, UPDOWN_CLASSW, L"",
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, id + 100, 0, 0, 0, 0);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  SendMessageW(spin, UDM_SETPOS32, 0, value);
  return edit;
}

constexpr int kPenStyles[kPenStyleCount] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
constexpr const char* kPenHints[kPenStyleCount] = {"实线", "虚线", "点线", "点划线", "双点划线", "无边框"};
// -1: solid, -2: hollow; otherwise a hatch style.
constexpr int kBrushStyles[kBrushStyleCount] = {-1,           -2,           HS_HORIZONTAL, HS_VERTICAL,
                                                HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS};
constexpr const char* kBrushHints[kBrushStyleCount] = {"实心填充", "无填充", "水平线", "垂直线",
                                                       "左斜线",   "右斜线", "十字线", "斜十字线"};

}  // namespace

TSaveForm::TSaveForm() : system_(EditorSystem::Default()), registry_(&SystemRegistry()) {}

TSaveForm::~TSaveForm() {
  if (ui::Forms().editor == this) ui::Forms().editor = nullptr;
  if (hwnd() != nullptr) UnregisterShortcutWindow(hwnd());
  for (HICON& icon : tool_icons_) {
    if (icon != nullptr) DestroyIcon(icon);
    icon = nullptr;
  }
  if (tool_images_ != nullptr) ImageList_Destroy(tool_images_);
}

bool TSaveForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.caption = W(kEditorCaption);
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.ex_style = WS_EX_CONTROLPARENT;
  // The designed client area; the load entry points size it per capture.
  RECT r{0, 0, kDesignClientSize.width, kDesignClientSize.height};
  AdjustWindowRectEx(&r, p.style, TRUE, p.ex_style);
  p.width = r.right - r.left;
  p.height = r.bottom - r.top;
  // It first opens in the middle of the primary screen's work area; later
  // captures resize it where it stands.
  RECT work{};
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    p.x = work.left + std::max(0L, (work.right - work.left - p.width) / 2);
    p.y = work.top + std::max(0L, (work.bottom - work.top - p.height) / 2);
  }
  p.icon = LoadIconW(ui::ModuleInstance(), MAKEINTRESOURCEW(1));
  if (!Create(p)) return false;
  FormCreate();
  ui::Forms().editor = this;
  return true;
}

void TSaveForm::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           0, 0, 0, 0, hwnd(), nullptr, ui::ModuleInstance(), nullptr);
  CreateMenuBar();
  CreateToolBar();
  CreateStatusBar();
  CreateToolsPanel();
  scroll_box_.CreateBox(hwnd(), &doc_, kScrollBoxId);
  scroll_box_.on_pic_mouse = [this](UINT msg, Point view) {
    switch (msg) {
      case WM_MOUSEMOVE:
        PicMouseMove(view);
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        PicMouseDown(view);
        break;
      default:
        PicMouseUp(view);
        break;
    }
  };
  scroll_box_.on_wheel = [this](int delta) { FormMouseWheel(delta); };
  ui::ApplyUiFont(hwnd());
  RegisterShortcutWindow(hwnd(), kCommandBase);
  // Tab moves between the controls of the tool panel's pages.
  ui::RegisterDialogNavigation(hwnd(), true);
  LayoutControls();
  UpdateStatusBar();
  UpdateViewMenu();
}

void TSaveForm::AddHint(HWND tool, const std::wstring& text, const RECT* area) {
  if (hints_ == nullptr) return;
  static UINT_PTR next_id = 1;
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_SUBCLASS | (area == nullptr ? TTF_IDISHWND : 0u);
  ti.hwnd = area == nullptr ? hwnd() : tool;
  ti.uId = area == nullptr ? reinterpret_cast<UINT_PTR>(tool) : next_id++;
  if (area != nullptr) ti.rect = *area;
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TSaveForm::CreateMenuBar() {
  menu_ = CreateMenu();
  std::function<void(HMENU, std::span<const MenuEntry>)> fill = [&](HMENU menu,
                                                                    std::span<const MenuEntry> entries) {
    for (const MenuEntry& e : entries) {
      switch (e.kind) {
        case MenuEntry::Kind::kSeparator:
          AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
          break;
        case MenuEntry::Kind::kSubmenu: {
          HMENU sub = CreatePopupMenu();
          fill(sub, e.children);
          AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), W(e.caption).c_str());
          break;
        }
        case MenuEntry::Kind::kItem:
          AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(CommandId(e.command)),
                      W(MenuItemText(e.command)).c_str());
          break;
      }
    }
  };
  for (const TopMenu& top : EditorMenuBar()) {
    HMENU popup = CreatePopupMenu();
    fill(popup, top.entries);
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), W(top.caption).c_str());
  }
  SetMenu(hwnd(), menu_);
}

void TSaveForm::CreateToolBar() {
  tool_bar_ = Child(
      hwnd(), TOOLBARCLASSNAMEW, L"",
      TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPSIBLINGS,
      kToolBarId, 0, 0, 10, 10);
  SendMessageW(tool_bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  tool_images_ = ImageList_Create(kToolBarIconSide, kToolBarIconSide, ILC_COLOR32 | ILC_MASK, 10, 0);
  const auto buttons = EditorToolButtons();
  std::vector<int> image(buttons.size(), I_IMAGENONE);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    auto icon = static_cast<HICON>(
        LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_EDITOR_TOOLBAR_FIRST + static_cast<int>(i)),
                   IMAGE_ICON, kToolBarIconSide, kToolBarIconSide, 0));
    if (icon != nullptr) {
      image[i] = ImageList_AddIcon(tool_images_, icon);
      DestroyIcon(icon);
    }
  }
  SendMessageW(tool_bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolBarIconSide, kToolBarIconSide));
  SendMessageW(tool_bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tool_images_));
  std::vector<TBBUTTON> tb;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON b{};
    b.iBitmap = image[i];
    b.idCommand = CommandId(buttons[i].command);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    b.iString = reinterpret_cast<INT_PTR>(ToolBarCaptions()[i].c_str());
    tb.push_back(b);
    if (buttons[i].separator_after) {
      TBBUTTON sep{};
      sep.iBitmap = 6;
      sep.fsStyle = BTNS_SEP;
      tb.push_back(sep);
    }
  }
  SendMessageW(tool_bar_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageW(tool_bar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonWidth));
  SendMessageW(tool_bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonHeight));
}

void TSaveForm::CreateStatusBar() {
  status_bar_ = Child(hwnd(), STATUSCLASSNAMEW, L"", CCS_NOPARENTALIGN | CCS_NORESIZE | WS_CLIPSIBLINGS,
                      kStatusBarId, 0, 0, 10, 10);
  int edges[kStatusPanelCount];
  int right = 0;
  for (int i = 0; i < kStatusPanelCount; ++i) {
    right += kStatusPanels[static_cast<std::size_t>(i)].width;
    edges[i] = right;
  }
  // The credit line takes what is left.
  edges[kStatusPanelCount - 1] = -1;
  SendMessageW(status_bar_, SB_SETPARTS, kStatusPanelCount, reinterpret_cast<LPARAM>(edges));
}

void TSaveForm::CreateToolsPanel() {
  tools_panel_.CreatePanel(hwnd(), hwnd(), kToolsPanelId);
  color_panel_.CreatePanel(tools_panel_.hwnd(), hwnd(), kColorPanelId);
  color_panel_.on_paint = [this](HDC dc, const RECT& client) { PaintColorPanel(dc, client); };
  color_panel_.on_mouse_down = [this](UINT, POINT at) { ColorPanelMouseDown(at); };
  const ToolsPanelLayout l = ComputeToolsPanelLayout({FormMetrics{}.tools_panel_width, 400});
  exchange_button_ = Child(color_panel_.hwnd(), WC_BUTTONW, L"", BS_OWNERDRAW, kExchangeId, l.exchange.left,
                           l.exchange.top, l.exchange.Width(), l.exchange.Height());
  AddHint(exchange_button_, W(kExchangeColorHint));
  RECT fg = ToRECT(l.foreground);
  RECT bg = ToRECT(l.background);
  AddHint(color_panel_.hwnd(), W(kForegroundHint), &fg);
  AddHint(color_panel_.hwnd(), W(kBackgroundHint), &bg);

  tools_box_.CreatePanel(tools_panel_.hwnd(), hwnd(), kToolsBoxId);
  RECT whole_tools{0, 0, l.tools.Width(), l.tools.Height()};
  AddHint(tools_box_.hwnd(), W(kToolsPanelHint), &whole_tools);
  for (const ToolInfo& info : ToolButtons()) {
    const int i = static_cast<int>(info.tool);
    const Rect& r = l.buttons[i];
    tool_icons_[static_cast<std::size_t>(i)] =
        static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_EDITOR_TOOL_FIRST + i),
                                      IMAGE_ICON, kToolIconSide, kToolIconSide, 0));
    const HICON icon = tool_icons_[static_cast<std::size_t>(i)];
    // Without its picture a button shows the first character of its hint.
    const std::wstring fallback = W(info.hint).substr(0, 1);
    HWND button =
        Child(tools_box_.hwnd(), WC_BUTTONW, icon ? L"" : fallback,
              WS_TABSTOP | (info.in_group ? BS_PUSHLIKE | BS_CHECKBOX : BS_PUSHBUTTON) | (icon ? BS_ICON : 0),
              kToolButtonBase + i, r.left, r.top - l.tools.top, r.Width(), r.Height());
    if (icon != nullptr) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    tool_buttons_[static_cast<std::size_t>(i)] = button;
    AddHint(button, W(info.hint));
  }
  for (const ToolInfo& info : ToolButtons()) {
    if (!info.in_group) continue;
    SendMessageW(tool_buttons_[static_cast<std::size_t>(info.tool)], BM_SETCHECK,
                 tools_.IsPressed(info.tool) ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  pages_box_.CreatePanel(tools_panel_.hwnd(), hwnd(), kPagesBoxId);
  RECT whole_pages{0, 0, l.pages.Width(), 30};
  AddHint(pages_box_.hwnd(), W(kAttributeToolboxHint), &whole_pages);
  CreatePages();
  ShowPage(kInitialToolPage);
}

void TSaveForm::CreatePages() {
  const int width = FormMetrics{}.tools_panel_width;
  auto id = [](PageControl c) { return kPageControlBase + static_cast<int>(c); };
  auto set = [this](PageControl c, HWND h) { page_controls_[static_cast<std::size_t>(c)] = h; };
  for (const ToolPageInfo& info : ToolPages()) {
    auto page = std::make_unique<PanelWindow>();
    page->CreatePanel(pages_box_.hwnd(), hwnd(), kPageFirstId + static_cast<int>(info.page), false);
    HWND p = page->hwnd();
    page_frames_[static_cast<std::size_t>(info.page)] =
        Child(p, WC_BUTTONW, W(info.caption), BS_GROUPBOX, -1, 2, 0, width - 4, 300);
    switch (info.page) {
      case ToolPage::kLineAndSoOn: {
        for (int i = 0; i < kPenStyleCount; ++i) {
          pen_buttons_[static_cast<std::size_t>(i)] =
              Child(p, WC_BUTTONW, L"", BS_OWNERDRAW, kPenStyleBase + i, 8 + (i % 3) * 38, 20 + (i / 3) * 22,
                    36, 20);
          AddHint(pen_buttons_[static_cast<std::size_t>(i)], W(kPenHints[i]));
        }
        Child(p, WC_STATICW, L"边框粗细", 0, -1, 8, 70, 60, 18);
        set(PageControl::kPenSize, SpinEdit(p, id(PageControl::kPenSize), 70, 67, 50, 0, 100, 1));
        for (int i = 0; i < kBrushStyleCount; ++i) {
          brush_buttons_[static_cast<std::size_t>(i)] =
              Child(p, WC_BUTTONW, L"", BS_OWNERDRAW, kBrushStyleBase + i, 8 + (i % 4) * 28,
                    98 + (i / 4) * 28, 26, 26);
          AddHint(brush_buttons_[static_cast<std::size_t>(i)], W(kBrushHints[i]));
        }
        break;
      }
      case ToolPage::kTextTool:
        set(PageControl::kTextEdit,
            Child(p, WC_EDITW, L"请输入您想要的文字", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                  id(PageControl::kTextEdit), 8, 22, width - 16, 22));
        set(PageControl::kTextPropertiesBtn,
            Child(p, WC_BUTTONW, L"文字属性", WS_TABSTOP | BS_PUSHBUTTON, id(PageControl::kTextPropertiesBtn),
                  8, 50, width - 16, 26));
        set(PageControl::kTextLabel, Child(p, WC_STATICW, L"在图像上点击鼠标，文字即会出现在鼠标的位置。", 0,
                                           id(PageControl::kTextLabel), 8, 84, width - 16, 60));
        break;
      case ToolPage::kSprayGun:
        Child(p, WC_STATICW, L"半径大小：", 0, -1, 8, 25, 64, 18);
        set(PageControl::kRadius, SpinEdit(p, id(PageControl::kRadius), 72, 22, 50, 1, 500, 10));
        break;
      case ToolPage::kMagnifyingGlass:
        Child(p, WC_STATICW, L"放大率", 0, -1, 8, 25, 50, 18);
        set(PageControl::kMagnificationEdit,
            SpinEdit(p, id(PageControl::kMagnificationEdit), 62, 22, 56, 2, 50, 2));
        Child(p, WC_STATICW, L"半径", 0, -1, 8, 53, 50, 18);
        set(PageControl::kRadiusEdit, SpinEdit(p, id(PageControl::kRadiusEdit), 62, 50, 56, 10, 100, 30));
        Child(p, WC_BUTTONW, L"形状", BS_GROUPBOX, -1, 8, 78, width - 16, 44);
        set(PageControl::kShapeSquare,
            Child(p, WC_BUTTONW, L"方形", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                  id(PageControl::kShapeSquare), 14, 96, 50, 20));
        set(PageControl::kShapeRound,
            Child(p, WC_BUTTONW, L"圆形", BS_AUTORADIOBUTTON, id(PageControl::kShapeRound), 66, 96, 50, 20));
        SendMessageW(page_controls_[static_cast<std::size_t>(PageControl::kShapeSquare)], BM_SETCHECK,
                     BST_CHECKED, 0);
        set(PageControl::kUseBorder, Child(p, WC_BUTTONW, L"边框", WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
                                           id(PageControl::kUseBorder), 14, 128, 50, 20));
        set(PageControl::kUseCursor, Child(p, WC_BUTTONW, L"光标", WS_TABSTOP | BS_AUTOCHECKBOX,
                                           id(PageControl::kUseCursor), 66, 128, 50, 20));
        SendMessageW(page_controls_[static_cast<std::size_t>(PageControl::kUseBorder)], BM_SETCHECK,
                     BST_CHECKED, 0);
        SendMessageW(page_controls_[static_cast<std::size_t>(PageControl::kUseCursor)], BM_SETCHECK,
                     BST_CHECKED, 0);
        break;
      case ToolPage::kImageScaling:
        set(PageControl::kEnlargeBtn, Child(p, WC_BUTTONW, L"放大", WS_TABSTOP | BS_PUSHBUTTON,
                                            id(PageControl::kEnlargeBtn), 8, 22, width - 16, 26));
        set(PageControl::kNarrowBtn, Child(p, WC_BUTTONW, L"缩小", WS_TABSTOP | BS_PUSHBUTTON,
                                           id(PageControl::kNarrowBtn), 8, 52, width - 16, 26));
        set(PageControl::kActualSizeBtn, Child(p, WC_BUTTONW, L"实际大小", WS_TABSTOP | BS_PUSHBUTTON,
                                               id(PageControl::kActualSizeBtn), 8, 82, width - 16, 26));
        break;
      case ToolPage::kArbitraryDegrees:
        Child(p, WC_STATICW, L"旋转角度", 0, -1, 8, 25, 56, 18);
        set(PageControl::kArbitraryDegreesText,
            SpinEdit(p, id(PageControl::kArbitraryDegreesText), 66, 22, 54, -360, 360, 90));
        set(PageControl::kArbitraryDegreesBtn,
            Child(p, WC_BUTTONW, L"确定", WS_TABSTOP | BS_PUSHBUTTON, id(PageControl::kArbitraryDegreesBtn),
                  8, 52, width - 16, 26));
        break;
      case ToolPage::kTranslation:
        Child(p, WC_STATICW, L"横轴", 0, -1, 8, 25, 40, 18);
        set(PageControl::kTransverseEdit,
            SpinEdit(p, id(PageControl::kTransverseEdit), 50, 22, 70, -32768, 32767, 10));
        Child(p, WC_STATICW, L"纵轴", 0, -1, 8, 53, 40, 18);
        set(PageControl::kLongitudinalAxisEdit,
            SpinEdit(p, id(PageControl::kLongitudinalAxisEdit), 50, 50, 70, -32768, 32767, 10));
        set(PageControl::kTranslationOKBtn, Child(p, WC_BUTTONW, L"确定", WS_TABSTOP | BS_PUSHBUTTON,
                                                  id(PageControl::kTranslationOKBtn), 8, 80, width - 16, 26));
        break;
    }
    ShowWindow(p, SW_HIDE);
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

void TSaveForm::LayoutControls() {
  RECT client;
  GetClientRect(hwnd(), &client);
  ViewMetrics m = doc_.Metrics();
  m.client = {client.right - client.left, client.bottom - client.top};
  m.vertical_scroll_bar_width = GetSystemMetrics(SM_CXVSCROLL);
  m.horizontal_scroll_bar_height = GetSystemMetrics(SM_CYHSCROLL);
  doc_.SetViewMetrics(m);
  const FormLayout l = doc_.Layout();
  const ViewToggles& t = doc_.Toggles();
  auto place = [](HWND h, const Rect& r, bool visible) {
    if (h == nullptr) return;
    SetWindowPos(h, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
  };
  place(tool_bar_, l.tool_bar, t.ToolBarVisible());
  place(status_bar_, l.status_bar, t.StatusBarVisible());
  place(tools_panel_.hwnd(), l.tools_panel, t.ToolsPanelVisible());
  place(scroll_box_.hwnd(), l.scroll_box, true);
  LayoutToolsPanel();
  scroll_box_.Refresh();
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

void TSaveForm::ViewChanged() {
  scroll_box_.Refresh();
  UpdateZoomButtons();
  UpdateStatusBar();
}

void TSaveForm::UpdateStatusBar() {
  for (int i = 0; i < kStatusPanelCount; ++i) {
    const std::wstring text = W(doc_.StatusText(static_cast<StatusPanel>(i)));
    auto& shown = shown_status_[static_cast<std::size_t>(i)];
    if (text == shown) continue;
    shown = text;
    if (status_bar_ != nullptr)
      SendMessageW(status_bar_, SB_SETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.c_str()));
  }
}

std::wstring TSaveForm::StatusBarText(StatusPanel panel) const {
  const auto index = static_cast<WPARAM>(panel);
  const LRESULT info = SendMessageW(status_bar_, SB_GETTEXTLENGTHW, index, 0);
  std::wstring text(LOWORD(info) + 1, L'\0');
  SendMessageW(status_bar_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(info));
  return text;
}

void TSaveForm::UpdateZoomButtons() {
  SendMessageW(tool_bar_, TB_ENABLEBUTTON, CommandId(EditorCommand::kEnlarge),
               MAKELPARAM(doc_.GetZoom().EnlargeButtonEnabled() ? TRUE : FALSE, 0));
  SendMessageW(tool_bar_, TB_ENABLEBUTTON, CommandId(EditorCommand::kNarrow),
               MAKELPARAM(doc_.GetZoom().NarrowButtonEnabled() ? TRUE : FALSE, 0));
}

bool TSaveForm::ToolButtonEnabled(EditorCommand command) const {
  return SendMessageW(tool_bar_, TB_ISBUTTONENABLED, CommandId(command), 0) != 0;
}

bool TSaveForm::ToolButtonVisible() const { return IsWindowVisible(tool_bar_) != FALSE; }

void TSaveForm::UpdateViewMenu() {
  const ViewToggles& t = doc_.Toggles();
  auto check = [this](EditorCommand c, bool on) {
    CheckMenuItem(menu_, static_cast<UINT>(CommandId(c)), MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  };
  check(EditorCommand::kToolBarButtons, t.ToolBarButtonsChecked());
  check(EditorCommand::kToolBarText, t.ToolBarTextChecked());
  check(EditorCommand::kToolsPanel, t.ToolsPanelChecked());
  check(EditorCommand::kStatusBar, t.StatusBarChecked());
  EnableMenuItem(menu_, static_cast<UINT>(CommandId(EditorCommand::kToolBarText)),
                 MF_BYCOMMAND | (t.ToolBarTextEnabled() ? MF_ENABLED : MF_GRAYED));
}

bool TSaveForm::MenuItemChecked(EditorCommand command) const {
  return (GetMenuState(menu_, static_cast<UINT>(CommandId(command)), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool TSaveForm::MenuItemEnabled(EditorCommand command) const {
  const UINT state = GetMenuState(menu_, static_cast<UINT>(CommandId(command)), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void TSaveForm::ResizeWindow(Size outer) {
  SetWindowPos(hwnd(), nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
}

void TSaveForm::SetStatusText(StatusPanel panel, std::string text) {
  doc_.SetStatusText(panel, std::move(text));
  UpdateStatusBar();
}

void TSaveForm::SetPicture(Raster picture) {
  doc_.SetPicture(std::move(picture));
  ViewChanged();
}

// Load entry points.

void TSaveForm::LoadFullScreen(const Raster& canvas) {
  const Size screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  ResizeWindow(doc_.LoadFullScreen(canvas, screen));
  ViewChanged();
}

void TSaveForm::LoadRegion(const Raster& canvas, POINT drag_start) {
  POINT drag_end{};
  GetCursorPos(&drag_end);
  ResizeWindow(doc_.LoadRegion(canvas, {drag_start.x, drag_start.y}, {drag_end.x, drag_end.y}));
  ViewChanged();
}

void TSaveForm::LoadPicture(const Raster& picture) {
  ResizeWindow(doc_.LoadPicture(picture));
  ViewChanged();
}

void TSaveForm::ShowEditor(bool modal) {
  // A capture taken while the editor is still open replaces its picture;
  // it is prepared as if the window had just been opened, so undo never
  // brings back the previous capture.
  if (IsWindowVisible(hwnd())) {
    FormShow();
  } else {
    ShowWindow(hwnd(), SW_SHOW);
  }
  SetForegroundWindow(hwnd());
  if (!modal || modal_) return;
  // A modal run: the program's other windows wait until the editor is
  // hidden again, while their messages keep flowing.
  modal_ = true;
  std::vector<HWND> disabled;
  auto disable = [&](HWND h) {
    if (h != nullptr && h != hwnd() && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  };
  if (ui::Forms().main) disable(ui::Forms().main->Handle());
  if (ui::Forms().overlay) disable(ui::Forms().overlay->Handle());
  MSG msg;
  while (IsWindowVisible(hwnd())) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (ui::PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
  modal_ = false;
}

bool TSaveForm::EditorVisible() const { return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE; }

// Window events.

void TSaveForm::FormShow() {
  // The selection frame switches theming off while it shows; the editor
  // wants its themed look back.
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
  SetForegroundWindow(hwnd());
  RECT window;
  GetWindowRect(hwnd(), &window);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  Rect work;
  if (GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &mi)) work = FromRECT(mi.rcWork);
  const Rect placed = FormShowWindowRect(FromRECT(window), work);
  if (placed != FromRECT(window)) {
    SetWindowPos(hwnd(), nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutControls();
  // Centred for the window's final size; the history starts from the
  // picture as it was opened.
  doc_.FormShow();
  ViewChanged();
  if (ui::Forms().main != nullptr && ui::Forms().main->LiveSettings().conventional.OverSound) {
    if (system_.play_voice) system_.play_voice();
  }
}

void TSaveForm::FormActivate() {
  doc_.FormActivate();
  UpdateStatusBar();
}

void TSaveForm::FormClose() {
  ShowWindow(hwnd(), SW_HIDE);
  if (ui::Forms().main != nullptr) ui::Forms().main->SetCaptureTimerEnabled(true);
  if (system_.enable_hot_key_hook) system_.enable_hot_key_hook();
  if (ui::Forms().capture != nullptr) ui::Forms().capture->EditorClosed();
}

void TSaveForm::FormDestroy() {
  UnregisterShortcutWindow(hwnd());
  doc_.FormDestroy();
}

void TSaveForm::FormMouseWheel(int delta) {
  doc_.MouseWheel(delta);
  scroll_box_.Refresh();
}

// History.

void TSaveForm::PushHistory() { doc_.PushHistory(); }

void TSaveForm::UnDoMenuClick() {
  doc_.UnDoMenuClick();
  ViewChanged();
}

void TSaveForm::ReDoMenuClick() {
  doc_.ReDoMenuClick();
  ViewChanged();
}

// Zoom and view.

void TSaveForm::EnlargeToolButtonClick() {
  doc_.EnlargeToolButtonClick();
  ViewChanged();
}

void TSaveForm::NarrowToolButtonClick() {
  doc_.NarrowToolButtonClick();
  ViewChanged();
}

void TSaveForm::ActualSizeToolButtonClick() {
  doc_.ActualSizeToolButtonClick();
  ViewChanged();
}

void TSaveForm::CenterPicture() {
  doc_.CenterPicture();
  ViewChanged();
}

void TSaveForm::ToolBarBtnMenuClick() {
  doc_.ToolBarBtnMenuClick();
  UpdateViewMenu();
  LayoutControls();
}

void TSaveForm::ToolBarTextMenuClick() {
  doc_.ToolBarTextMenuClick();
  UpdateViewMenu();
  const bool captions = doc_.Toggles().ToolBarCaptionsShown();
  SendMessageW(tool_bar_, TB_SETMAXTEXTROWS, captions ? 1 : 0, 0);
  SendMessageW(tool_bar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonWidth));
  SendMessageW(tool_bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonHeight));
  InvalidateRect(tool_bar_, nullptr, TRUE);
}

void TSaveForm::ToolsStatusMenuClick() {
  doc_.ToolsStatusMenuClick();
  UpdateViewMenu();
  LayoutControls();
}

void TSaveForm::StatusMenuClick() {
  doc_.StatusMenuClick();
  UpdateViewMenu();
  LayoutControls();
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

// The picture control.

void TSaveForm::PicMouseDown(Point) {}

void TSaveForm::PicMouseMove(Point view) {
  if (doc_.PicMouseMove(view)) UpdateStatusBar();
}

void TSaveForm::PicMouseUp(Point) {}

// Commands.

void TSaveForm::RunCommand(EditorCommand command) {
  using C = EditorCommand;
  switch (command) {
    case C::kOpenFolder:
      OpenMenuClick();
      break;
    case C::kSaveAs:
      SaveASToolButtonClick();
      break;
    case C::kCopyToClipboard:
      CopyToClipMenuClick();
      break;
    case C::kClose:
      CancelToolButtonClick();
      break;
    case C::kSave:
      SaveToolButtonClick();
      break;
    case C::kUndo:
      UnDoMenuClick();
      break;
    case C::kRedo:
      ReDoMenuClick();
      break;
    case C::kToolBarButtons:
      ToolBarBtnMenuClick();
      break;
    case C::kToolBarText:
      ToolBarTextMenuClick();
      break;
    case C::kToolsPanel:
      ToolsStatusMenuClick();
      break;
    case C::kStatusBar:
      StatusMenuClick();
      break;
    case C::kArbitraryDegrees:
      ShowPage(ToolPage::kArbitraryDegrees);
      break;
    case C::kSetWallPaper:
      SetWallPaperMenuClick();
      break;
    case C::kMailUs:
      MailUSMenuClick();
      break;
    case C::kHomePage:
      HomePageMenuClick();
      break;
    case C::kAbout:
      AboutMenuClick();
      break;
    case C::kEnlarge:
      EnlargeToolButtonClick();
      break;
    case C::kNarrow:
      NarrowToolButtonClick();
      break;
    case C::kActualSize:
      ActualSizeToolButtonClick();
      break;
    default:
      // Transforms, adjustments and effects are wired up by their own code.
      break;
  }
}

void TSaveForm::OnCommand(int id, int code, HWND) {
  if (id >= kCommandBase && id < kCommandBase + kCommandCount) {
    RunCommand(static_cast<EditorCommand>(id - kCommandBase));
    return;
  }
  if (id >= kToolButtonBase && id < kToolButtonBase + kToolCount) {
    if (code == BN_CLICKED) ToolButtonClick(static_cast<Tool>(id - kToolButtonBase));
    return;
  }
  if (id >= kPenStyleBase && id < kPenStyleBase + kPenStyleCount) {
    pen_style_ = id - kPenStyleBase;
    for (HWND b : pen_buttons_) InvalidateRect(b, nullptr, TRUE);
    return;
  }
  if (id >= kBrushStyleBase && id < kBrushStyleBase + kBrushStyleCount) {
    brush_style_ = id - kBrushStyleBase;
    for (HWND b : brush_buttons_) InvalidateRect(b, nullptr, TRUE);
    return;
  }
  if (id == kExchangeId) {
    ExchangeColorBtnClick();
    return;
  }
  const int control = id - kPageControlBase;
  if (code == BN_CLICKED) {
    switch (static_cast<PageControl>(control)) {
      case PageControl::kEnlargeBtn:
        EnlargeToolButtonClick();
        break;
      case PageControl::kNarrowBtn:
        NarrowToolButtonClick();
        break;
      case PageControl::kActualSizeBtn:
        ActualSizeToolButtonClick();
        break;
      default:
        break;
    }
  }
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

LRESULT TSaveForm::OnNotify(NMHDR& header) {
  // The toolbar's own tooltip asks for the hint of the button under the
  // mouse; the other controls' hints are stored in hints_.
  if (header.code == TTN_GETDISPINFOW && header.hwndFrom != hints_) {
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    const auto buttons = EditorToolButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (static_cast<UINT_PTR>(CommandId(buttons[i].command)) == header.idFrom) {
        info.lpszText = const_cast<wchar_t*>(ToolBarHints()[i].c_str());
        break;
      }
    }
  }
  return 0;
}

LRESULT TSaveForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_DRAWITEM:
      if (DrawOwnerItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) return TRUE;
      break;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED && status_bar_ != nullptr) LayoutControls();
      return 0;
    case WM_SHOWWINDOW:
      if (wparam != FALSE && lparam == 0) FormShow();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) FormActivate();
      break;
    case WM_MOUSEWHEEL:
      FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wparam));
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      FormDestroy();
      break;
    default:
      break;
  }
  return DefaultHandler(msg, wparam, lparam);
}

}  // namespace ksv::editor
