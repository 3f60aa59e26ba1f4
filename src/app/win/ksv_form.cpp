#include "app/win/ksv_form.h"

#include <shellapi.h>

#include <exception>

#include "../../../resources/resource.h"
#include "app/main_form_model.h"
#include "app/option_rules.h"
#include "app/settings_store.h"
#include "app/win/option_pages.h"
#include "capture/win/capture_service.h"
#include "capture/win/hook/ksvmain.h"
#include "ui/commands.h"
#include "ui/controls.h"
#include "ui/font.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "video/win/video_links.h"

namespace ksv::app {
namespace {

using ui::Wide;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_COMPOSITED;  // double-buffered painting

std::string ExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ExecutableFolder(ui::Utf8(path));
}

unsigned SystemMajorVersion() {
  // RtlGetVersion tells the truth whatever the manifest says.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    if (auto fn = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))) {
      OSVERSIONINFOW info{};
      info.dwOSVersionInfoSize = sizeof(info);
      if (fn(&info) == 0) return info.dwMajorVersion;
    }
  }
  return 6;
}

}  // namespace

TKSVForm::TKSVForm(Registry& registry) : registry_(registry) {}

TKSVForm::~TKSVForm() {
  if (Forms().main == this) RegisterMainForm(nullptr);
  // The window goes first: its menus still show the bitmaps below.
  if (hwnd()) DestroyWindow(hwnd());
}

bool TKSVForm::CreateForm(TKSVFormOptions options) {
  options_ = std::move(options);
  exe_folder_ = options_.exe_folder.empty() ? ExeFolder() : options_.exe_folder;
  if (options_.os_major_version == 0) options_.os_major_version = SystemMajorVersion();
  RegisterMainForm(this);
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  {
    ui::WindowDC screen(nullptr);
    dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  const int client_width = ScaleLength(kMainClientWidth, dpi_);
  const int client_height = ScaleLength(kMainClientHeight, dpi_);

  CreateImageLists();
  ui::MenuHandle menu_bar = CreateMenus();
  main_menu_ = menu_bar.get();
  RECT r{0, 0, client_width, client_height};
  AdjustWindowRectEx(&r, kStyle, TRUE, kExStyle);
  const Box place = CenteredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                     r.right - r.left, r.bottom - r.top);
  CreateParams p;
  p.class_name = kClassName;
  p.caption = Wide(kProductName);
  p.style = kStyle;
  p.ex_style = kExStyle;
  p.x = place.left;
  p.y = place.top;
  p.width = place.width;
  p.height = place.height;
  p.menu = main_menu_;
  p.icon = LoadIconW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_KSV));
  // Shared: the class keeps the icons for the life of the process.
  p.small_icon =
      static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_KSV), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!Create(p)) {
    RegisterMainForm(nullptr);
    main_menu_ = nullptr;
    return false;
  }
  // From here the window destroys its menu bar with itself.
  menu_bar.release();
  // The menu may wrap or the system metrics differ from what
  // AdjustWindowRectEx assumed; make the client area exactly the designed
  // size.
  RECT client{};
  GetClientRect(hwnd(), &client);
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  const int w = (outer.right - outer.left) + client_width - client.right;
  const int h = (outer.bottom - outer.top) + client_height - client.bottom;
  const Box centred = CenteredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), w, h);
  SetWindowPos(hwnd(), nullptr, centred.left, centred.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  ui::RegisterAccelerators(hwnd(), accelerators_.get());
  ui::RegisterDialogNavigation(hwnd(), true);
  return true;
}

// --- building -------------------------------------------------------------

void TKSVForm::CreateImageLists() {
  auto load = [](int resource, int size, int count) -> HIMAGELIST {
    HIMAGELIST il = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!il) return nullptr;
    if (auto bmp = static_cast<HBITMAP>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(resource),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
      ImageList_AddMasked(il, bmp, RGB(255, 0, 255));
      DeleteObject(bmp);
    }
    return il;
  };
  panel_images_.reset(load(IDB_PANELIMAGES, kPanelImageSize, kPanelImageCount));
  menu_images_.reset(load(IDB_MENUIMAGES, kMenuImageSize, kMenuImageCount));
}

ui::MenuHandle TKSVForm::CreateMenus() {
  // Menu pictures are drawn onto the menu colour once, so that they need no
  // transparency from the menu code.
  auto picture = [this](int image) -> HBITMAP {
    if (image < 0 || !menu_images_ || image >= ImageList_GetImageCount(menu_images_.get())) return nullptr;
    ui::WindowDC screen(nullptr);
    ui::MemoryDC dc(screen.get());
    ui::Bitmap bmp(CreateCompatibleBitmap(screen.get(), kMenuImageSize, kMenuImageSize));
    if (!bmp) return nullptr;
    {
      ui::SelectObjectScope select(dc.get(), bmp.get());
      RECT all{0, 0, kMenuImageSize, kMenuImageSize};
      FillRect(dc.get(), &all, GetSysColorBrush(COLOR_MENU));
      ImageList_Draw(menu_images_.get(), image, dc.get(), 0, 0, ILD_TRANSPARENT);
    }
    HBITMAP h = bmp.get();
    menu_bitmaps_.push_back(std::move(bmp));
    return h;
  };
  ui::MenuHandle bar = ui::BuildMenuBar(MainCommands(), kMainMenuBar, picture);
  // Region is the mode at start.
  ui::SetMenuChecked(bar.get(), IDM_REGION, true);
  ui::SetMenuChecked(bar.get(), IDM_INCLUDECURSOR, true);
  tray_menu_ = ui::BuildPopupMenu(MainCommands(), kTrayMenu, picture);
  accelerators_ = ui::BuildAccelerators(MainCommands(), kMainMenuBar);
  return bar;
}

void TKSVForm::CreateControls() {
  HWND status = ui::CreateChild(hwnd(), STATUSCLASSNAMEW, L"", WS_VISIBLE, IDC_SSTATUSBAR, 0, 0, 0, 0);
  int parts[] = {ScaleLength(kStatusFirstPartWidth, dpi_), -1};
  SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(kStatusWelcome).c_str()));
  SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(Wide(kStatusNotice).c_str()));
  CreatePanel();
  CreatePages();
  CreateHints();
  ui::ApplyUiFont(hwnd());
  if (hint_window_) SendMessageW(hint_window_, WM_SETFONT, reinterpret_cast<WPARAM>(ui::UiFont()), FALSE);
  // The status bar's height follows its font.
  SendMessageW(status, WM_SIZE, 0, 0);
  edit_brush_.reset(CreateSolidBrush(kEditBackColour));
  controls_ready_ = true;
}

void TKSVForm::CreatePanel() {
  RECT sr{};
  GetWindowRect(Item(IDC_SSTATUSBAR), &sr);
  // Laid out at 96 dpi, then scaled to the screen.
  const MainLayout layout =
      LayoutMainForm(kMainClientWidth, kMainClientHeight, MulDiv(sr.bottom - sr.top, kDesignDpi, dpi_));
  const auto buttons = PanelButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const PanelButton& b = buttons[i];
    const bool mode = ModeOfCommand(b.id).has_value();
    const DWORD style = WS_VISIBLE | WS_TABSTOP | (mode ? BS_RADIOBUTTON | BS_PUSHLIKE : BS_PUSHBUTTON) |
                        (i == 0 || !mode ? WS_GROUP : 0);
    const Box r = ScaleRect(layout.buttons[i], dpi_);
    HWND h =
        ui::CreateChild(hwnd(), L"BUTTON", Wide(b.caption), style, b.id, r.left, r.top, r.width, r.height);
    if (panel_images_ && b.image < ImageList_GetImageCount(panel_images_.get())) {
      // A list of its own with the one picture, shown in every state.
      ui::ImageListHandle one(
          ImageList_Create(kPanelImageSize, kPanelImageSize, ILC_COLOR24 | ILC_MASK, 1, 0));
      if (ui::IconHandle icon{ImageList_GetIcon(panel_images_.get(), b.image, ILD_NORMAL)})
        ImageList_AddIcon(one.get(), icon.get());
      BUTTON_IMAGELIST bil{one.get(), {8, 0, 4, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
      button_images_.push_back(std::move(one));
      SendMessageW(h, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
    }
  }
  ui::SetChecked(Item(IDM_REGION), true);
  const Box bevel = ScaleRect(layout.bevel, dpi_);
  ui::CreateChild(hwnd(), L"STATIC", L"", WS_VISIBLE | SS_ETCHEDHORZ, IDC_SBEVEL, bevel.left, bevel.top,
                  bevel.width, bevel.height);

  const Box pages = ScaleRect(layout.pages, dpi_);
  HWND tabs =
      ui::CreateChild(hwnd(), WC_TABCONTROLW, L"", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP,
                      IDC_SPAGEOPTIONS, pages.left, pages.top, pages.width, pages.height);
  for (int i = 0; i < static_cast<int>(std::size(kPageCaptions)); ++i) {
    std::wstring text = Wide(kPageCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void TKSVForm::CreateHints() {
  hint_window_ = ui::CreateHintWindow(hwnd());
  for (const PanelButton& b : PanelButtons())
    if (!b.hint.empty()) ui::AddHint(hint_window_, Item(b.id), Wide(b.hint));
  ui::AddHint(hint_window_, hwnd(), Wide(kWindowHint));
}

// --- start-up -------------------------------------------------------------

void TKSVForm::FormCreate() {
  CreateControls();
  AddTrayIcon();
  SetCaptureTimerEnabled(true);

  Settings loaded;
  bool hook_enabled = false;
  try {
    InitializeSettingsStore(registry_, exe_folder_);
    SetWindowTextW(hwnd(), (Wide(kProductName) + Wide(ReadVersion(registry_))).c_str());
    EnableHotKeyHook();
    hook_enabled = true;
    try {
      LoadSettings(registry_, loaded,
                   [this](const std::string& message) { ui::ShowMessage(hwnd(), Wide(message), MB_OK); });
    } catch (...) {
      // What was loaded before the failing step still reaches the controls.
      ApplySettings(loaded);
      throw;
    }
    ApplySettings(loaded);
    show_at_start_ = ShowMainWindowAtStart(false, options_.first_argument);
    if (IsVistaOrLater(options_.os_major_version)) {
      EnableWindow(Item(IDM_FIXREGION), FALSE);
      EnableWindow(Item(IDM_AXTIVEOBJECT), FALSE);
    }
  } catch (const std::exception& e) {
    loading_failed_ = true;
    show_at_start_ = ShowMainWindowAtStart(true, options_.first_argument);
    // Without the hook nothing would ever be captured; it is armed even
    // when the settings could not be read.
    if (!hook_enabled) EnableHotKeyHook();
    ui::ShowError(hwnd(), Wide(e.what()));
  }
}

// --- live settings ----------------------------------------------------------

CaptureMode TKSVForm::LiveCaptureMode() const {
  for (const CaptureMode m : kAllModes)
    if (ui::MenuChecked(main_menu_, CommandOfMode(m))) return m;
  return CaptureMode::Region;
}

bool TKSVForm::LiveIncludeCursor() const { return ui::MenuChecked(main_menu_, IDM_INCLUDECURSOR); }

void TKSVForm::SetCaptureTimerEnabled(bool enabled) {
  if (!hwnd()) return;
  if (enabled)
    SetTimer(hwnd(), kTimer1, kCaptureTimerMs, nullptr);
  else
    KillTimer(hwnd(), kTimer1);
  timer_enabled_ = enabled;
}

void TKSVForm::ShowCaptureMode(CaptureMode mode) {
  for (const CaptureMode m : kAllModes) {
    const int id = CommandOfMode(m);
    ui::SetMenuChecked(main_menu_, id, m == mode);
    ui::SetChecked(Item(id), m == mode);
  }
}

void TKSVForm::SetIncludeCursorChecked(bool checked) {
  ui::SetMenuChecked(main_menu_, IDM_INCLUDECURSOR, checked);
}

bool TKSVForm::MainWindowVisible() const { return IsWindowVisible(hwnd()) != FALSE; }

void TKSVForm::HideMainWindow() { ShowWindow(hwnd(), SW_HIDE); }

void TKSVForm::OpenMainWindow() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  BringWindowToTop(hwnd());
}

void TKSVForm::OpenUpdateHistory() {
  RunShell({L"open", Wide(exe_folder_) + Wide(kReadmeName), std::wstring(), std::wstring(), SW_SHOW});
}

void TKSVForm::OpenMail() {
  RunShell({L"open", L"mailto:" + Wide(kSupportMailAddress), std::nullopt, std::nullopt, SW_SHOWNORMAL});
}

void TKSVForm::OpenHomePage() {
  RunShell({L"", Wide(kHomePageAddress), std::nullopt, std::nullopt, SW_SHOWNORMAL});
}

void TKSVForm::RunShell(const ShellRequest& r) {
  if (options_.shell) {
    options_.shell(r);
    return;
  }
  ShellExecuteW(hwnd(), r.verb.empty() ? nullptr : r.verb.c_str(), r.file.c_str(),
                r.parameters ? r.parameters->c_str() : nullptr, r.directory ? r.directory->c_str() : nullptr,
                r.show);
}

// --- handlers ---------------------------------------------------------------

void TKSVForm::FormClose() {
  if (CloseRequestQuits(registry_))
    QuitClick();
  else
    HideMainWindow();
}

void TKSVForm::QuitClick() {
  DisableHotKeyHook();
  RemoveTrayIcon();
  if (options_.terminate)
    options_.terminate();
  else
    PostQuitMessage(0);
}

void TKSVForm::OpenMainMenuClick() { OpenMainWindow(); }

void TKSVForm::CameraBtnClick() {
  HideMainWindow();
  if (video::VideoApi* camera = video::Links().video)
    camera->ShowVideoModal();
  else
    OpenMainWindow();
}

void TKSVForm::HomeMenuClick() { OpenHomePage(); }
void TKSVForm::MailMenuClick() { OpenMail(); }
void TKSVForm::USClick() { OpenUpdateHistory(); }
void TKSVForm::CutBtnClick() { capture::CaptureService::Instance().CutBtnClick(); }
void TKSVForm::ActiveWindowClick() {
  capture::CaptureService::Instance().ChooseMode(CaptureMode::ActiveWindow);
}
void TKSVForm::FullScreenClick() { capture::CaptureService::Instance().ChooseMode(CaptureMode::FullScreen); }
void TKSVForm::RegionClick() { capture::CaptureService::Instance().ChooseMode(CaptureMode::Region); }
void TKSVForm::FixRegionClick() { capture::CaptureService::Instance().ChooseMode(CaptureMode::FixRegion); }
void TKSVForm::AxtiveObjectClick() {
  capture::CaptureService::Instance().ChooseMode(CaptureMode::AxtiveObject);
}
void TKSVForm::IncludeCursorClick() { capture::CaptureService::Instance().IncludeCursorClick(); }
void TKSVForm::Timer1Timer() { capture::CaptureService::Instance().Timer1Timer(); }

// --- messages ---------------------------------------------------------------

void TKSVForm::Command(int id, int code) {
  if (!controls_ready_) return;
  if (const auto group = RadioGroupOf(id); !group.empty()) {
    if (code == BN_CLICKED) {
      for (std::size_t i = 0; i < group.size(); ++i)
        if (group[i] == id) SetRadioIndex(hwnd(), group, static_cast<int>(i));
    }
    return;
  }
  if (ui::RunCommand<TKSVForm>(*this, CommandHandlers(), id)) return;
  ui::RunNotification<TKSVForm>(*this, NotificationHandlers(), id, code);
}

std::span<const ui::CommandHandler<TKSVForm>> TKSVForm::CommandHandlers() {
  // Menu items, shortcuts and buttons, whatever their notification. A mode
  // button carries its menu item's command.
  static constexpr ui::CommandHandler<TKSVForm> kHandlers[] = {
      {IDM_BEGINIP, &TKSVForm::CutBtnClick},
      {IDM_QUIT, &TKSVForm::QuitClick},
      {IDM_CLOSE, &TKSVForm::QuitClick},
      {IDM_ACTIVEWINDOW, &TKSVForm::ActiveWindowClick},
      {IDM_FULLSCREEN, &TKSVForm::FullScreenClick},
      {IDM_REGION, &TKSVForm::RegionClick},
      {IDM_FIXREGION, &TKSVForm::FixRegionClick},
      {IDM_AXTIVEOBJECT, &TKSVForm::AxtiveObjectClick},
      {IDM_INCLUDECURSOR, &TKSVForm::IncludeCursorClick},
      {IDM_MAIL, &TKSVForm::MailMenuClick},
      {IDM_HOME, &TKSVForm::HomeMenuClick},
      {IDM_US, &TKSVForm::USClick},
      {IDM_ABOUT, &TKSVForm::USClick},
      {IDM_OPENMAIN, &TKSVForm::OpenMainMenuClick},
      {IDC_CAMERABTN, &TKSVForm::CameraBtnClick},
      {IDC_SAVEDIRBTN, &TKSVForm::SaveDirBtnClick},
      {IDC_CONVENTIONALOKBTN, &TKSVForm::ConventionalOKBtnClick},
      {IDC_SAVEOKBTN, &TKSVForm::SaveOKBtnClick},
      {IDC_HIGHBTN, &TKSVForm::HighBtnClick},
  };
  return kHandlers;
}

std::span<const ui::NotificationHandler<TKSVForm>> TKSVForm::NotificationHandlers() {
  static constexpr ui::NotificationHandler<TKSVForm> kHandlers[] = {
      {IDC_INCLUDEMOUSE, BN_CLICKED, &TKSVForm::IncludeMouseClick},
      {IDC_DELAYTIMECAP, EN_CHANGE, &TKSVForm::DelayTimeCapChange},
      {IDC_WIDTHVALUE, EN_CHANGE, &TKSVForm::WidthValueChange},
      {IDC_HEIGHTVALUE, EN_CHANGE, &TKSVForm::HeightValueChange},
      {IDC_FNAMETEMP, EN_CHANGE, &TKSVForm::FNameTempChange},
  };
  return kHandlers;
}

LRESULT TKSVForm::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == taskbar_created_ && taskbar_created_ != 0) {
    // Explorer restarted: the notification area is new and empty.
    tray_shown_ = false;
    AddTrayIcon();
    return 0;
  }
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      if (HWND status = Item(IDC_SSTATUSBAR)) SendMessageW(status, WM_SIZE, 0, 0);
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lparam);
      if (hdr->idFrom == IDC_SPAGEOPTIONS && hdr->code == TCN_SELCHANGE) ShowPage(ActivePage());
      return 0;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lparam) == Item(IDC_JPGCOMPTRACKBAR)) JpgCompTrackBarChange();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (FindPageControl(GetDlgCtrlID(reinterpret_cast<HWND>(lparam))))
        return PageControlColour(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
      return DefaultHandler(msg, wparam, lparam);
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      page_brush_.reset();
      return DefaultHandler(msg, wparam, lparam);
    case WM_CTLCOLOREDIT: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
      if (HasEditBackColour(id) && edit_brush_) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kEditBackColour);
        return reinterpret_cast<LRESULT>(edit_brush_.get());
      }
      return DefaultHandler(msg, wparam, lparam);
    }
    case WM_TIMER:
      if (wparam == kTimer1) Timer1Timer();
      return 0;
    case kTrayMessage:
      switch (LOWORD(lparam)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
          OpenMainMenuClick();
          break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
          ShowTrayMenu();
          break;
        default:
          break;
      }
      return 0;
    case WM_ACTIVATE:
      // Like a dialog: the control that had the focus gets it back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) last_focus_ = focus;
      } else if (last_focus_ && IsWindow(last_focus_) && IsWindowVisible(last_focus_)) {
        SetFocus(last_focus_);
        return 0;
      }
      return DefaultHandler(msg, wparam, lparam);
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kTimer1);
      timer_enabled_ = false;
      RemoveTrayIcon();
      ui::RegisterAccelerators(hwnd(), nullptr);
      ui::RegisterDialogNavigation(hwnd(), false);
      return 0;
    default:
      return DefaultHandler(msg, wparam, lparam);
  }
}

}  // namespace ksv::app
