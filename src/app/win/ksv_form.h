// The main window "万象快拍宗师": the capture-mode buttons, the option pages,
// the menus, the status bar and the tray icon. Its page controls and mode
// menu items are the live settings the other windows read; it owns the
// capture timer Timer1, whose ticks drive the capture cycle.
#pragma once

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/registry.h"
#include "app/settings.h"
#include "app/win/forms.h"
#include "ui/commands.h"
#include "ui/gdi.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ksv::app {

// A shell command the window hands to the system (ShellExecuteW).
struct ShellRequest {
  std::wstring verb;  // empty: the default verb
  std::wstring file;
  std::optional<std::wstring> parameters;  // nothing: no parameters at all
  std::optional<std::wstring> directory;
  int show = SW_SHOWNORMAL;
};

struct TKSVFormOptions {
  // The first command-line argument, if any.
  std::optional<std::u16string> first_argument;
  // The executable's folder with its trailing backslash; empty: the
  // running program's.
  std::string exe_folder;
  // The system's major version; 0: ask the system.
  unsigned os_major_version = 0;
  // The notification area (Shell_NotifyIconW); tests without one put a
  // stand-in here, since the real call waits for a tray that never comes.
  std::function<bool(DWORD message, NOTIFYICONDATAW& data)> notify_icon;
  // Stand-ins for tests; empty: the real system calls.
  std::function<void(const ShellRequest&)> shell;
  std::function<std::optional<std::wstring>(HWND owner)> pick_folder;
  std::function<void()> terminate;  // ends the message loop
};

class TKSVForm : public ui::Window, public MainFormApi {
 public:
  static constexpr const wchar_t* kClassName = L"TKSVForm";
  // Notifications of the tray icon.
  static constexpr UINT kTrayMessage = WM_APP + 1;
  static constexpr UINT_PTR kTimer1 = 1;

  // Settings go through `registry`, which must outlive the window.
  explicit TKSVForm(Registry& registry);
  ~TKSVForm() override;

  // Creates the window (hidden) and runs its creation step: first-run
  // defaults, caption, hotkey hook, loading the settings. Registers it as
  // the program's main window. False when the window could not be made.
  bool CreateForm(TKSVFormOptions options = {});

  // Whether start-up shows the window: without an argument, or when the
  // loading failed.
  bool ShowAtStart() const { return show_at_start_; }
  bool LoadingFailed() const { return loading_failed_; }

  // MainFormApi
  HWND Handle() const override { return hwnd(); }
  Settings LiveSettings() const override;
  CaptureMode LiveCaptureMode() const override;
  bool LiveIncludeCursor() const override;
  void SetCaptureTimerEnabled(bool enabled) override;
  bool CaptureTimerEnabled() const override { return timer_enabled_; }
  void ShowCaptureMode(CaptureMode mode) override;
  void SetIncludeCursorChecked(bool checked) override;
  bool MainWindowVisible() const override;
  void HideMainWindow() override;
  void OpenMainWindow() override;
  void OpenUpdateHistory() override;
  void OpenMail() override;
  void OpenHomePage() override;

  // For tests and the start-up code.
  HMENU MainMenu() const { return main_menu_; }
  HMENU TrayPopupMenu() const { return tray_menu_.get(); }
  HACCEL Accelerators() const { return accelerators_.get(); }
  HIMAGELIST PanelImageList() const { return panel_images_.get(); }
  HIMAGELIST MenuImageList() const { return menu_images_.get(); }
  bool TrayIconShown() const { return tray_shown_; }
  int ActivePage() const;
  void ShowPage(int page);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void Command(int id, int code);
  // WM_COMMAND's handlers: by command, and by control and notification.
  static std::span<const ui::CommandHandler<TKSVForm>> CommandHandlers();
  static std::span<const ui::NotificationHandler<TKSVForm>> NotificationHandlers();

  // Building the window.
  // The menu bar (for the window to take), the tray menu and the shortcuts.
  ui::MenuHandle CreateMenus();
  void CreateImageLists();
  void CreateControls();
  void CreatePanel();
  void CreatePages();
  void CreateHints();
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
  void ApplySettings(const Settings& s);
  LRESULT PageControlColour(HWND control, HDC dc);
  HBRUSH PageBrush();
  void EraseBackground(HDC dc);

  // Tray icon.
  void AddTrayIcon();
  void RemoveTrayIcon();
  bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data);
  void ShowTrayMenu();

  // Handlers.
  void FormCreate();
  void FormClose();
  void QuitClick();
  void OpenMainMenuClick();
  void CameraBtnClick();
  void HomeMenuClick();
  void MailMenuClick();
  void USClick();
  void CutBtnClick();
  void ActiveWindowClick();
  void FullScreenClick();
  void RegionClick();
  void FixRegionClick();
  void AxtiveObjectClick();
  void IncludeCursorClick();
  void Timer1Timer();
  void DelayTimeCapChange();
  void WidthValueChange();
  void HeightValueChange();
  void FNameTempChange();
  void JpgCompTrackBarChange();
  void SaveDirBtnClick();
  void IncludeMouseClick();
  void ConventionalOKBtnClick();
  void SaveOKBtnClick();
  void HighBtnClick();
  void SizeValueChange(int id, int default_value);

  void RunShell(const ShellRequest& request);
  static LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR data);
  static LRESULT CALLBACK DelayEditProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR data);

  Registry& registry_;
  TKSVFormOptions options_;
  std::string exe_folder_;
  FixedSize fixed_;
  int dpi_ = 96;  // the screen's, when the window was made
  bool show_at_start_ = true;
  bool loading_failed_ = false;
  bool timer_enabled_ = false;
  bool controls_ready_ = false;
  bool tray_shown_ = false;
  UINT taskbar_created_ = 0;

  HMENU main_menu_ = nullptr;  // attached to the window, destroyed with it
  ui::MenuHandle tray_menu_;
  ui::AcceleratorHandle accelerators_;
  ui::ImageListHandle panel_images_;
  ui::ImageListHandle menu_images_;
  std::vector<ui::ImageListHandle> button_images_;  // one per panel button
  std::vector<ui::Bitmap> menu_bitmaps_;            // shown by the menu items
  ui::IconHandle tray_icon_;
  HWND hint_window_ = nullptr;  // owned by the window
  HWND last_focus_ = nullptr;   // a child; focused again on activation
  ui::Brush edit_brush_;
  // The page control's body as a brush, so controls on a page are drawn
  // on the same ground as the page (white when themed).
  ui::Brush page_brush_;
};

}  // namespace ksv::app
