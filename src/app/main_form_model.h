// What the main window is made of, as data and pure functions: its menus
// and shortcuts, the left panel's buttons, where every control sits, and
// the start-up decisions. The Win32 window builds itself from these, so the
// tables and the geometry are checked without a window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "capture/capture_mode.h"
#include "core/commands.h"
#include "core/geometry.h"

namespace ksv::app {

inline constexpr std::string_view kProductName = "万象快拍宗师";
inline constexpr std::string_view kWindowHint = "请按Ctrl+B组合键开始截图";
inline constexpr std::string_view kStatusWelcome = "欢迎使用。截图快捷键：Ctrl+B";
inline constexpr std::string_view kStatusNotice = "万象快拍宗师 — 一键截图，轻松编辑";
inline constexpr std::string_view kHomePageAddress = "https://ksv.example.com/";
inline constexpr std::string_view kSupportMailAddress = "support@ksv.example.com";
inline constexpr std::string_view kReadmeName = "Readme.txt";

inline constexpr int kMainClientWidth = 496;
inline constexpr int kMainClientHeight = 306;
inline constexpr int kPanelWidth = 137;
inline constexpr int kStatusFirstPartWidth = 280;
inline constexpr int kPanelImageSize = 32;
inline constexpr int kPanelImageCount = 7;
inline constexpr int kMenuImageSize = 16;
inline constexpr int kMenuImageCount = 10;

// Capture interval of Timer1.
inline constexpr unsigned kCaptureTimerMs = 50;

// The main window's commands: its menu bar "截图(&B)", "截图范围(&C)",
// "帮助(&H)" and the tray icon's right-button menu.
inline constexpr std::string_view kCaptureMenu = "截图(&B)";
inline constexpr std::string_view kRangeMenu = "截图范围(&C)";
inline constexpr std::string_view kHelpMenu = "帮助(&H)";
inline constexpr std::string_view kTrayMenu = "托盘菜单";  // a popup: never shown
inline constexpr std::string_view kMainMenuBar[] = {kCaptureMenu, kRangeMenu, kHelpMenu};
std::span<const CommandRow> MainCommands();

struct PanelButton {
  int id = 0;
  std::string_view name;
  std::string_view caption;
  std::string_view hint;  // empty: no hint
  int image = 0;          // index into the panel image list
};

// The seven buttons of the left panel, top to bottom.
std::span<const PanelButton> PanelButtons();

// The menu command (and button) of a capture mode, and back.
int CommandOfMode(CaptureMode mode);
std::optional<CaptureMode> ModeOfCommand(int command);
inline constexpr CaptureMode kAllModes[] = {CaptureMode::ActiveWindow, CaptureMode::FullScreen,
                                            CaptureMode::Region, CaptureMode::FixRegion,
                                            CaptureMode::AxtiveObject};

// The designs are in pixels at 96 dots per inch; on a screen set to more
// the window grows with the font. Rounds to the nearest pixel.
inline constexpr int kDesignDpi = 96;
int ScaleLength(int length, int dpi);
Box ScaleRect(const Box& r, int dpi);

// Where a window of the given outer size goes to be centred on the screen.
Box CenteredOnScreen(int screen_width, int screen_height, int width, int height);

// The main window's client area: the seven panel buttons (in the order of
// PanelButtons()) with the separator line before the capture button, and
// the page control filling the rest above the status bar.
struct MainLayout {
  Box buttons[kPanelImageCount];
  Box bevel;
  Box pages;
};
MainLayout LayoutMainForm(int client_width, int client_height, int status_bar_height);

enum class ControlKind { CheckBox, RadioButton, Edit, NumberEdit, UpDown, Label, GroupBox, Button, TrackBar };

// One control of an option page. Positions are relative to the page's
// display area (about 350 x 240); an up-down is attached to the edit before
// it and takes no place of its own.
struct PageControl {
  int id = 0;
  int page = 0;  // 0 "常规", 1 "存储", 2 "高级"
  ControlKind kind = ControlKind::Label;
  std::string_view name;
  std::string_view caption;
  Box rect;
  bool visible = true;
  int group = -1;  // radio buttons: the id of their group box
};

inline constexpr std::string_view kPageCaptions[] = {"常规", "存储", "高级"};
inline constexpr int kPageAreaWidth = 350;
inline constexpr int kPageAreaHeight = 240;

std::span<const PageControl> PageControls();
const PageControl* FindPageControl(int id);

// Colours of the pages (0x00BBGGRR).
inline constexpr unsigned kLabelColour = 0x00825A3B;
inline constexpr unsigned kEditBackColour = 0x00FBF2EA;
// The labels drawn in kLabelColour and the edits on kEditBackColour.
bool HasLabelColour(int id);
bool HasEditBackColour(int id);

// Start-up: the window is shown when loading failed (the rest of the
// creation step is skipped then) or when no argument was given; "s" and
// every other argument keep it in the tray.
bool ShowMainWindowAtStart(bool loading_failed, const std::optional<std::u16string>& first_argument);

// On Windows Vista and later the two click modes' buttons are greyed.
bool IsVistaOrLater(unsigned major_version);

}  // namespace ksv::app
