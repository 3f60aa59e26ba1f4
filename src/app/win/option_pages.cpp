// The option pages of the main window: building them from their table,
// reading and writing the settings they show, and their fields' checks.
#include "app/win/option_pages.h"

#include <shlobj.h>

#include <vector>

#include "../../../resources/resource.h"
#include "app/main_form_model.h"
#include "app/option_rules.h"
#include "app/settings_store.h"
#include "app/win/ksv_form.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/message_box.h"
#include "ui/property_page.h"

namespace ksv::app {
namespace {

using ui::Wide;

constexpr int kNamingRadios[] = {IDC_NAMEASTIME, IDC_NAMEASTEMP};
constexpr int kFormatRadios[] = {IDC_PICFORMAT_BMP, IDC_PICFORMAT_JPG, IDC_PICFORMAT_GIF, IDC_PICFORMAT_TIF};
constexpr int kQuitRadios[] = {IDC_QUITMAIN_TRAY, IDC_QUITMAIN_QUIT};

int RadioIndex(HWND parent, std::span<const int> group) {
  for (std::size_t i = 0; i < group.size(); ++i)
    if (ui::IsChecked(GetDlgItem(parent, group[i]))) return static_cast<int>(i);
  return -1;
}

std::optional<std::wstring> BrowseForFolder(HWND owner) {
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.pidlRoot = nullptr;  // the desktop
  const std::wstring prompt = L"请选择文件夹。";
  bi.lpszTitle = prompt.c_str();
  bi.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON;
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
  if (!pidl) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  const bool ok = SHGetPathFromIDListW(pidl, path.data());
  CoTaskMemFree(pidl);
  if (!ok) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return path;
}

// The builder's row for one control of the option pages: its look by kind,
// the ranges and designed starting values of the spin and track bars.
ui::PageControlSpec PageSpec(const PageControl& c) {
  ui::PageControlSpec row;
  row.id = c.id;
  row.caption = c.caption;
  row.rect = RECT{c.rect.left, c.rect.top, c.rect.right(), c.rect.bottom()};
  DWORD style = WS_CLIPSIBLINGS;
  switch (c.kind) {
    case ControlKind::CheckBox:
      row.kind = ui::PageControlKind::CheckBox;
      style |= BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
      break;
    case ControlKind::RadioButton:
      row.kind = ui::PageControlKind::RadioButton;
      style |= BS_RADIOBUTTON | WS_TABSTOP | (RadioGroupOf(c.id).front() == c.id ? WS_GROUP : 0);
      break;
    case ControlKind::Edit:
    case ControlKind::NumberEdit:
      row.kind = ui::PageControlKind::Edit;
      row.ex_style = WS_EX_CLIENTEDGE;
      style |= ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | (c.kind == ControlKind::NumberEdit ? ES_NUMBER : 0);
      break;
    case ControlKind::UpDown:
      row.kind = ui::PageControlKind::UpDown;
      style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
      if (c.id == IDC_DELAYTIMEUPDOWN) {
        row.min = 0;
        row.max = 60;
        row.value = 1;
      } else {
        // The spin edits have no range of their own; the arrows stop at 1.
        row.min = 1;
        row.max = 0x7FFFFFFF;
      }
      break;
    case ControlKind::Label:
      row.kind = ui::PageControlKind::Label;
      style |= SS_LEFT | WS_GROUP;
      break;
    case ControlKind::GroupBox:
      row.kind = ui::PageControlKind::GroupBox;
      style |= BS_GROUPBOX | WS_GROUP;
      break;
    case ControlKind::Button:
      row.kind = ui::PageControlKind::Button;
      style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
      break;
    case ControlKind::TrackBar:
      row.kind = ui::PageControlKind::TrackBar;
      style |= TBS_HORZ | TBS_NOTICKS | WS_TABSTOP | WS_GROUP;
      row.min = kJpgCompMin;
      row.max = kJpgCompMax;
      row.page_size = 10;
      row.value = 80;
      break;
  }
  row.style = style;
  return row;
}

}  // namespace

std::span<const int> RadioGroupOf(int id) {
  for (std::span<const int> g : {std::span<const int>(kNamingRadios), std::span<const int>(kFormatRadios),
                                 std::span<const int>(kQuitRadios)}) {
    for (int member : g)
      if (member == id) return g;
  }
  return {};
}

void SetRadioIndex(HWND parent, std::span<const int> group, int index) {
  for (std::size_t i = 0; i < group.size(); ++i)
    ui::SetChecked(GetDlgItem(parent, group[i]), static_cast<int>(i) == index);
}

void TKSVForm::CreatePages() {
  HWND tabs = Item(IDC_SPAGEOPTIONS);
  // The tab headers take their height from the font.
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(ui::UiFont()), FALSE);
  RECT area{};
  GetClientRect(tabs, &area);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tabs, hwnd(), reinterpret_cast<POINT*>(&area), 2);

  std::vector<ui::PageControlSpec> rows;
  for (const PageControl& c : PageControls()) rows.push_back(PageSpec(c));
  ui::PagePlacement at;
  at.origin = {area.left, area.top};
  at.dpi = dpi_;
  ui::BuildPage(hwnd(), rows, at);
  SetWindowSubclass(Item(IDC_DELAYTIMECAP), &TKSVForm::DelayEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  // New children go below their older siblings; the group boxes and the
  // page control must lie beneath the controls drawn on them.
  // The page control leaves out the group boxes (it clips its siblings)
  // and a group box paints only its frame, so it paints its inside itself.
  for (const PageControl& c : PageControls()) {
    if (c.kind != ControlKind::GroupBox) continue;
    SetWindowSubclass(Item(c.id), &TKSVForm::GroupBoxProc, 2, reinterpret_cast<DWORD_PTR>(this));
    SetWindowPos(Item(c.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Designed defaults.
  ui::SetChecked(Item(IDC_OVERSOUND), true);
  ui::SetChecked(Item(IDC_INCLUDEMOUSE), true);
  ui::SetChecked(Item(IDC_HIDEMAINFORM), true);
  SetRadioIndex(hwnd(), kNamingRadios, 1);
  SetRadioIndex(hwnd(), kFormatRadios, 1);
  SetRadioIndex(hwnd(), kQuitRadios, 0);
  ShowPage(0);
}

int TKSVForm::ActivePage() const {
  return static_cast<int>(SendMessageW(GetDlgItem(hwnd(), IDC_SPAGEOPTIONS), TCM_GETCURSEL, 0, 0));
}

void TKSVForm::ShowPage(int page) {
  HWND tabs = Item(IDC_SPAGEOPTIONS);
  if (static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) != page)
    SendMessageW(tabs, TCM_SETCURSEL, page, 0);
  for (const PageControl& c : PageControls())
    ShowWindow(Item(c.id), c.page == page && c.visible ? SW_SHOWNA : SW_HIDE);
}

void TKSVForm::ApplySettings(const Settings& s) {
  const ConventionalPage& g = s.conventional;
  const SavePage& v = s.save;
  const HighPage& h = s.high;
  ui::SetChecked(Item(IDC_AUTOSTART), h.AutoStart);
  SetWindowTextW(Item(IDC_SAVEDIR), Wide(v.SaveDir).c_str());
  SetWindowTextW(Item(IDC_FNAMETEMP), Wide(v.FNameTemp).c_str());
  SetRadioIndex(hwnd(), kNamingRadios, v.NameASTime ? 0 : 1);
  const bool mouse_changed = ui::IsChecked(Item(IDC_INCLUDEMOUSE)) != g.IncludeMouse;
  ui::SetChecked(Item(IDC_INCLUDEMOUSE), g.IncludeMouse);
  if (mouse_changed) IncludeMouseClick();
  ui::SetChecked(Item(IDC_DELAYTIME), g.DelayTime);
  ui::SetChecked(Item(IDC_HIDEMAINFORM), g.HideMainForm);
  SetRadioIndex(hwnd(), kFormatRadios, v.PicFormatRadioGroup);
  SendMessageW(Item(IDC_JPGCOMPTRACKBAR), TBM_SETPOS, TRUE, v.JpgCompTrackBar);
  JpgCompTrackBarChange();
  ui::SetChecked(Item(IDC_OVERSOUND), g.OverSound);
  SetRadioIndex(hwnd(), kQuitRadios, h.QuitMain);
  ui::SetChecked(Item(IDC_STARTTOTRAY), h.StartToTray);
  SetWindowTextW(Item(IDC_WIDTHVALUE), Wide(g.WidthValue).c_str());
  SetWindowTextW(Item(IDC_HEIGHTVALUE), Wide(g.HeightValue).c_str());
  fixed_ = s.fixed;
}

HBRUSH TKSVForm::PageBrush() {
  if (!page_brush_) {
    // The page's ground is one colour (white when themed, the face colour
    // otherwise): read it from the middle of the page control's body.
    HWND tabs = Item(IDC_SPAGEOPTIONS);
    RECT r{};
    GetClientRect(tabs, &r);
    COLORREF ground = GetSysColor(COLOR_BTNFACE);
    ui::WindowDC screen(tabs);
    ui::MemoryDC mem(screen.get());
    ui::Bitmap body(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
    if (body && r.right > 0 && r.bottom > 0) {
      ui::SelectObjectScope select(mem.get(), body.get());
      FillRect(mem.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
      SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT | PRF_ERASEBKGND);
      const COLORREF c = GetPixel(mem.get(), r.right / 2, r.bottom / 2);
      if (c != CLR_INVALID) ground = c;
    }
    page_brush_.reset(CreateSolidBrush(ground));
  }
  return page_brush_.get();
}

LRESULT TKSVForm::PageControlColour(HWND control, HDC dc) {
  HBRUSH brush = PageBrush();
  SetBkMode(dc, TRANSPARENT);
  if (HasLabelColour(GetDlgCtrlID(control))) SetTextColor(dc, kLabelColour);
  return reinterpret_cast<LRESULT>(brush);
}

void TKSVForm::EraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // Themed controls on a page draw their parent's background behind them;
  // under the page control that is the page's ground.
  HWND tabs = Item(IDC_SPAGEOPTIONS);
  if (!tabs || !controls_ready_) return;
  RECT body{};
  GetClientRect(tabs, &body);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
  MapWindowPoints(tabs, hwnd(), reinterpret_cast<POINT*>(&body), 2);
  FillRect(dc, &body, PageBrush());
}

Settings TKSVForm::LiveSettings() const {
  auto text = [this](int id) { return ui::Utf8(ui::WindowText(GetDlgItem(hwnd(), id))); };
  auto checked = [this](int id) { return ui::IsChecked(GetDlgItem(hwnd(), id)); };
  Settings s;
  s.conventional.OverSound = checked(IDC_OVERSOUND);
  s.conventional.IncludeMouse = checked(IDC_INCLUDEMOUSE);
  s.conventional.DelayTime = checked(IDC_DELAYTIME);
  s.conventional.DelayTimeCap = text(IDC_DELAYTIMECAP);
  s.conventional.HideMainForm = checked(IDC_HIDEMAINFORM);
  s.conventional.WidthValue = text(IDC_WIDTHVALUE);
  s.conventional.HeightValue = text(IDC_HEIGHTVALUE);
  s.save.NameASTime = checked(IDC_NAMEASTIME);
  s.save.FNameTemp = text(IDC_FNAMETEMP);
  s.save.SaveDir = text(IDC_SAVEDIR);
  s.save.PicFormatRadioGroup = RadioIndex(hwnd(), kFormatRadios);
  s.save.JpgCompTrackBar =
      static_cast<int>(SendMessageW(GetDlgItem(hwnd(), IDC_JPGCOMPTRACKBAR), TBM_GETPOS, 0, 0));
  s.high.AutoStart = checked(IDC_AUTOSTART);
  s.high.StartToTray = checked(IDC_STARTTOTRAY);
  s.high.QuitMain = RadioIndex(hwnd(), kQuitRadios);
  s.fixed = fixed_;
  return s;
}

void TKSVForm::DelayTimeCapChange() {
  const FieldCheck check = CheckDelayText(ui::Utf8(ui::WindowText(Item(IDC_DELAYTIMECAP))));
  if (check.new_text) SetWindowTextW(Item(IDC_DELAYTIMECAP), Wide(*check.new_text).c_str());
  if (check.message) ui::ShowError(hwnd(), Wide(*check.message));
}

void TKSVForm::SizeValueChange(int id, int default_value) {
  const FieldCheck check = CheckSizeText(ui::Utf8(ui::WindowText(Item(id))), default_value);
  if (check.new_text) SetWindowTextW(Item(id), Wide(*check.new_text).c_str());
  if (check.message) ui::ShowMessage(hwnd(), Wide(*check.message), MB_OK);
}

void TKSVForm::WidthValueChange() { SizeValueChange(IDC_WIDTHVALUE, kDefaultFixedWidth); }
void TKSVForm::HeightValueChange() { SizeValueChange(IDC_HEIGHTVALUE, kDefaultFixedHeight); }

void TKSVForm::FNameTempChange() {
  const FieldCheck check = CheckNameTemplate(ui::Utf8(ui::WindowText(Item(IDC_FNAMETEMP))));
  if (check.new_text) SetWindowTextW(Item(IDC_FNAMETEMP), Wide(*check.new_text).c_str());
}

void TKSVForm::JpgCompTrackBarChange() {
  const int pos = static_cast<int>(SendMessageW(Item(IDC_JPGCOMPTRACKBAR), TBM_GETPOS, 0, 0));
  ui::SetWindowTextIfDifferent(Item(IDC_JPGCOMP), Wide(JpgCompCaption(pos)));
}

void TKSVForm::SaveDirBtnClick() {
  const std::optional<std::wstring> folder =
      options_.pick_folder ? options_.pick_folder(hwnd()) : BrowseForFolder(hwnd());
  if (folder) SetWindowTextW(Item(IDC_SAVEDIR), folder->c_str());
}

void TKSVForm::IncludeMouseClick() { SetIncludeCursorChecked(ui::IsChecked(Item(IDC_INCLUDEMOUSE))); }

void TKSVForm::ConventionalOKBtnClick() {
  SaveConventionalPage(registry_, LiveSettings().conventional, fixed_);
}
void TKSVForm::SaveOKBtnClick() { SaveSavePage(registry_, LiveSettings().save); }
void TKSVForm::HighBtnClick() { SaveHighPage(registry_, LiveSettings().high, exe_folder_); }

LRESULT CALLBACK TKSVForm::DelayEditProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR) {
  // DelayTimeCapKeyPress: only digits and Enter are typed.
  if (msg == WM_CHAR && !IsDelayKeyAllowed(static_cast<char16_t>(wparam))) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TKSVForm::DelayEditProc, id);
  return DefSubclassProc(hwnd, msg, wparam, lparam);
}

LRESULT CALLBACK TKSVForm::GroupBoxProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR data) {
  if (msg == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(wparam), &r, reinterpret_cast<TKSVForm*>(data)->PageBrush());
    return 1;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TKSVForm::GroupBoxProc, id);
  return DefSubclassProc(hwnd, msg, wparam, lparam);
}

}  // namespace ksv::app
