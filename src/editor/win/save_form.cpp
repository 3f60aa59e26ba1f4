#include "editor/win/save_form.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>

#include "../../../resources/resource_editor.h"
#include "core/text.h"
#include "editor/status_text.h"
#include "editor/win/save_form_parts.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"
#include "ui/modal_loop.h"

namespace ksv::editor {

using namespace detail;

TSaveForm::TSaveForm() : system_(EditorSystem::Default()) {}

TSaveForm::~TSaveForm() {
  if (Links().editor == this) Links().editor = nullptr;
  if (hwnd() != nullptr) ui::RegisterAccelerators(hwnd(), nullptr);
}

bool TSaveForm::CreateForm() {
  CreateParams p;
  p.class_name = kClassName;
  p.caption = ui::Wide(kEditorCaption);
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
  Links().editor = this;
  return true;
}

void TSaveForm::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  hints_ = ui::CreateHintWindow(hwnd());
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
  // The menu shortcuts go before the focused control, in every loop that
  // pumps the editor's messages (the program's and the modal one).
  ui::RegisterAccelerators(hwnd(), accelerators_.get());
  // Tab moves between the controls of the tool panel's pages.
  ui::RegisterDialogNavigation(hwnd(), true);
  LayoutControls();
  UpdateStatusBar();
  UpdateViewMenu();
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
  scroll_box_.Refresh();
}

void TSaveForm::ViewChanged() {
  scroll_box_.Refresh();
  UpdateZoomButtons();
  UpdateStatusBar();
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
  ui::RunModalLoop({Links().main ? Links().main->Handle() : nullptr,
                    Links().capture ? Links().capture->OverlayHandle() : nullptr},
                   [this] { return IsWindowVisible(hwnd()) != FALSE; });
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
  if (Links().main != nullptr && Links().main->LiveCaptureSound()) {
    if (system_.play_voice) system_.play_voice();
  }
}

void TSaveForm::FormActivate() {
  doc_.FormActivate();
  UpdateStatusBar();
}

void TSaveForm::FormClose() {
  ShowWindow(hwnd(), SW_HIDE);
  if (Links().main != nullptr) Links().main->SetCaptureTimerEnabled(true);
  if (system_.enable_hot_key_hook) system_.enable_hot_key_hook();
  if (Links().capture != nullptr) Links().capture->EditorClosed();
}

void TSaveForm::FormDestroy() {
  ui::RegisterAccelerators(hwnd(), nullptr);
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

// The picture control.

void TSaveForm::PicMouseDown(Point) {}

void TSaveForm::PicMouseMove(Point view) {
  if (doc_.PicMouseMove(view)) UpdateStatusBar();
}

void TSaveForm::PicMouseUp(Point) {}

// Commands.

std::span<const ui::CommandHandler<TSaveForm>> TSaveForm::CommandHandlers() {
  using C = EditorCommand;
  // Transforms, adjustments and effects are wired up by their own code.
  static constexpr ui::CommandHandler<TSaveForm> kHandlers[] = {
      {CommandId(C::kOpenFolder), &TSaveForm::OpenMenuClick},
      {CommandId(C::kSaveAs), &TSaveForm::SaveASToolButtonClick},
      {CommandId(C::kCopyToClipboard), &TSaveForm::CopyToClipMenuClick},
      {CommandId(C::kClose), &TSaveForm::CancelToolButtonClick},
      {CommandId(C::kSave), &TSaveForm::SaveToolButtonClick},
      {CommandId(C::kUndo), &TSaveForm::UnDoMenuClick},
      {CommandId(C::kRedo), &TSaveForm::ReDoMenuClick},
      {CommandId(C::kToolBarButtons), &TSaveForm::ToolBarBtnMenuClick},
      {CommandId(C::kToolBarText), &TSaveForm::ToolBarTextMenuClick},
      {CommandId(C::kToolsPanel), &TSaveForm::ToolsStatusMenuClick},
      {CommandId(C::kStatusBar), &TSaveForm::StatusMenuClick},
      {CommandId(C::kArbitraryDegrees), &TSaveForm::ArbitraryDegreesMenuClick},
      {CommandId(C::kSetWallPaper), &TSaveForm::SetWallPaperMenuClick},
      {CommandId(C::kMailUs), &TSaveForm::MailUSMenuClick},
      {CommandId(C::kHomePage), &TSaveForm::HomePageMenuClick},
      {CommandId(C::kAbout), &TSaveForm::AboutMenuClick},
      {CommandId(C::kEnlarge), &TSaveForm::EnlargeToolButtonClick},
      {CommandId(C::kNarrow), &TSaveForm::NarrowToolButtonClick},
      {CommandId(C::kActualSize), &TSaveForm::ActualSizeToolButtonClick},
  };
  return kHandlers;
}

void TSaveForm::RunCommand(EditorCommand command) {
  ui::RunCommand<TSaveForm>(*this, CommandHandlers(), CommandId(command));
}

void TSaveForm::ArbitraryDegreesMenuClick() { ShowPage(ToolPage::kArbitraryDegrees); }

void TSaveForm::OnCommand(int id, int code, HWND) {
  if (ui::RunCommand<TSaveForm>(*this, CommandHandlers(), id)) return;
  if (CommandOfId(id)) return;
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
