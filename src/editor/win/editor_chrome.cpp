// The editor window's chrome: the menu bar, the toolbar with its hints and
// the status bar, and keeping what they show in step with the document.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>
#include <span>
#include <vector>

#include "../../../resources/resource_editor.h"
#include "editor/menu_layout.h"
#include "editor/status_text.h"
#include "editor/win/save_form.h"
#include "editor/win/save_form_parts.h"
#include "ui/controls.h"

namespace ksv::editor {

using namespace detail;

namespace {

constexpr int kToolBarButtonWidth = 55;
constexpr int kToolBarButtonHeight = 60;
constexpr int kToolBarIconSide = 40;

// The toolbar's texts outlive the buttons that point at them.
const std::vector<std::wstring>& ToolBarCaptions() {
  static const std::vector<std::wstring> captions = [] {
    std::vector<std::wstring> v;
    for (const ToolButtonInfo& b : EditorToolButtons()) v.push_back(ui::Wide(b.caption));
    return v;
  }();
  return captions;
}

const std::vector<std::wstring>& ToolBarHints() {
  static const std::vector<std::wstring> hints = [] {
    std::vector<std::wstring> v;
    for (const ToolButtonInfo& b : EditorToolButtons()) v.push_back(ui::Wide(b.hint));
    return v;
  }();
  return hints;
}

}  // namespace

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
          AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ui::Wide(e.caption).c_str());
          break;
        }
        case MenuEntry::Kind::kItem:
          AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(CommandId(e.command)),
                      ui::Wide(MenuItemText(e.command)).c_str());
          break;
      }
    }
  };
  for (const TopMenu& top : EditorMenuBar()) {
    HMENU popup = CreatePopupMenu();
    fill(popup, top.entries);
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), ui::Wide(top.caption).c_str());
  }
  SetMenu(hwnd(), menu_);
}

void TSaveForm::CreateToolBar() {
  tool_bar_ = ui::CreateChild(hwnd(), TOOLBARCLASSNAMEW, L"",
                              WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                                  CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPSIBLINGS,
                              kToolBarId, 0, 0, 10, 10);
  SendMessageW(tool_bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  tool_images_.reset(ImageList_Create(kToolBarIconSide, kToolBarIconSide, ILC_COLOR32 | ILC_MASK, 10, 0));
  const auto buttons = EditorToolButtons();
  std::vector<int> image(buttons.size(), I_IMAGENONE);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    auto icon = static_cast<HICON>(
        LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_EDITOR_TOOLBAR_FIRST + static_cast<int>(i)),
                   IMAGE_ICON, kToolBarIconSide, kToolBarIconSide, 0));
    if (icon != nullptr) {
      image[i] = ImageList_AddIcon(tool_images_.get(), icon);
      DestroyIcon(icon);
    }
  }
  SendMessageW(tool_bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolBarIconSide, kToolBarIconSide));
  SendMessageW(tool_bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tool_images_.get()));
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
  status_bar_ = ui::CreateChild(hwnd(), STATUSCLASSNAMEW, L"",
                                WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | WS_CLIPSIBLINGS, kStatusBarId,
                                0, 0, 10, 10);
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

void TSaveForm::UpdateStatusBar() {
  for (int i = 0; i < kStatusPanelCount; ++i) {
    const std::wstring text = ui::Wide(doc_.StatusText(static_cast<StatusPanel>(i)));
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

void TSaveForm::ToolBarTextMenuClick() {
  doc_.ToolBarTextMenuClick();
  UpdateViewMenu();
  const bool captions = doc_.Toggles().ToolBarCaptionsShown();
  SendMessageW(tool_bar_, TB_SETMAXTEXTROWS, captions ? 1 : 0, 0);
  SendMessageW(tool_bar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonWidth));
  SendMessageW(tool_bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolBarButtonWidth, kToolBarButtonHeight));
  InvalidateRect(tool_bar_, nullptr, TRUE);
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

}  // namespace ksv::editor
