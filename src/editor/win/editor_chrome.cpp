// The editor window's chrome: the menu bar, the toolbar with its hints and
// the status bar, and keeping what they show in step with the document.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>
#include <span>
#include <vector>

#include "../../../resources/resource_editor.h"
#include "editor/editor_commands.h"
#include "editor/status_text.h"
#include "editor/win/save_form.h"
#include "editor/win/save_form_parts.h"
#include "ui/commands.h"
#include "ui/controls.h"

namespace ksv::editor {

using namespace detail;

namespace {

constexpr int kToolBarButtonWidth = 55;
constexpr int kToolBarButtonHeight = 60;
constexpr int kToolBarIconSide = 40;

// The toolbar's buttons, left to right, and their texts, which outlive
// the buttons that point at them.
const std::vector<const CommandRow*>& ToolBarRows() {
  static const std::vector<const CommandRow*> rows = ToolbarRows(EditorCommands());
  return rows;
}

const std::vector<std::wstring>& ToolBarCaptions() {
  static const std::vector<std::wstring> captions = [] {
    std::vector<std::wstring> v;
    for (const CommandRow* b : ToolBarRows()) v.push_back(ui::Wide(b->tool_caption));
    return v;
  }();
  return captions;
}

const std::vector<std::wstring>& ToolBarHints() {
  static const std::vector<std::wstring> hints = [] {
    std::vector<std::wstring> v;
    for (const CommandRow* b : ToolBarRows()) v.push_back(ui::Wide(b->tool_hint));
    return v;
  }();
  return hints;
}

}  // namespace

void TSaveForm::CreateMenuBar() {
  // The window destroys its menu bar with itself.
  menu_ = ui::BuildMenuBar(EditorCommands(), kEditorMenuBar).release();
  SetMenu(hwnd(), menu_);
  accelerators_ = ui::BuildAccelerators(EditorCommands(), kEditorMenuBar);
}

void TSaveForm::CreateToolBar() {
  tool_bar_ = ui::CreateChild(hwnd(), TOOLBARCLASSNAMEW, L"",
                              WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                                  CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPSIBLINGS,
                              kToolBarId, 0, 0, 10, 10);
  SendMessageW(tool_bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  tool_images_.reset(ImageList_Create(kToolBarIconSide, kToolBarIconSide, ILC_COLOR32 | ILC_MASK, 10, 0));
  const auto& buttons = ToolBarRows();
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
    b.idCommand = buttons[i]->id;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    b.iString = reinterpret_cast<INT_PTR>(ToolBarCaptions()[i].c_str());
    tb.push_back(b);
    if (buttons[i]->Has(kToolSeparatorAfter)) {
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
  for (const CommandRule<EditorDocument>& rule : EditorCommandRules()) {
    if (rule.enabled == nullptr || FindCommand(EditorCommands(), rule.id)->tool_slot < 0) continue;
    SendMessageW(tool_bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(rule.id),
                 MAKELPARAM(rule.enabled(doc_) ? TRUE : FALSE, 0));
  }
}

bool TSaveForm::ToolButtonEnabled(EditorCommand command) const {
  return SendMessageW(tool_bar_, TB_ISBUTTONENABLED, CommandId(command), 0) != 0;
}

bool TSaveForm::ToolButtonVisible() const { return IsWindowVisible(tool_bar_) != FALSE; }

void TSaveForm::UpdateViewMenu() { ui::ApplyMenuRules<EditorDocument>(menu_, EditorCommandRules(), doc_); }

bool TSaveForm::MenuItemChecked(EditorCommand command) const {
  return ui::MenuChecked(menu_, CommandId(command));
}

bool TSaveForm::MenuItemEnabled(EditorCommand command) const {
  return ui::MenuEnabled(menu_, CommandId(command));
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
    const auto& buttons = ToolBarRows();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (static_cast<UINT_PTR>(buttons[i]->id) == header.idFrom) {
        info.lpszText = const_cast<wchar_t*>(ToolBarHints()[i].c_str());
        break;
      }
    }
  }
  return 0;
}

}  // namespace ksv::editor
