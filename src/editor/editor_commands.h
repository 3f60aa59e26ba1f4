// The editor's commands: menu captions and shortcuts, the toolbar's buttons,
// and the shortcut lookup the window runs on every key press before the
// focused control sees it (so Ctrl+V in the text tool's box mirrors the
// picture instead of pasting, and Ctrl+Z undoes the picture).
#pragma once

#include <optional>
#include <span>

namespace ksv::editor {

enum class EditorCommand {
  kOpenFolder,         // OpenMenu
  kSaveAs,             // SaveASMenu, SaveASToolButton
  kCopyToClipboard,    // CopyToClipMenu, ClipboardToolButton
  kClose,              // CloseMenu, CancelToolButton
  kSave,               // SaveToolButton
  kUndo,               // UnDoMenu
  kRedo,               // ReDoMenu
  kToolBarButtons,     // ToolBarBtnMenu
  kToolBarText,        // ToolBarTextMenu
  kToolsPanel,         // ToolsStatusMenu
  kStatusBar,          // StatusMenu
  kSize,               // SizeMenu (hidden, no action)
  kLevelFlip,          // LevelFilpMenu, LevelFilpToolButton
  kVerticalFlip,       // VerticalFilpMenu, VerticalFilpToolButton
  kDegrees90,          // Degrees90Menu, Degrees90ToolButton
  kDegrees180,         // Degrees180Menu
  kDegrees270,         // Degrees270Menu
  kArbitraryDegrees,   // ArbitraryDegreesMenu
  kLevelMirror,        // LevelMirrorMenu
  kVerticalMirror,     // VerticalMirrorMenu
  kSymmetricalMirror,  // SymmetricalMirrorMenu
  kAntiColor,          // AntiColorMenu
  kTwoColor,           // TwoColorMenu
  kGray,               // GrayMenu
  kContrast,           // ContrastMenu
  kSaturation,         // SaturationMenu
  kBrightness,         // BrightnessMenu
  kRgb,                // RGBMenu
  kExposure,           // the filter menu's items, in menu order
  kCarving,
  kRelief,
  kSharpen,
  kBlackWhiteNoise,
  kColorNoise,
  kSplash,
  kMosaic,
  kNeon,
  kDistortion,
  kWave,
  kLongView,      // LongViewMenu
  kSetWallPaper,  // SetWallPaperMenu
  kMailUs,        // MailUSMenu
  kHomePage,      // HomePageMenu
  kAbout,         // AboutMenu
  kEnlarge,       // EnlargeToolButton
  kNarrow,        // NarrowToolButton
  kActualSize,    // ActualSizeToolButton
};

// A key with its modifiers; key is the upper-case letter (the virtual-key
// code of a letter key). key 0 means no shortcut.
struct Shortcut {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  char key = 0;
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

struct MenuItemInfo {
  EditorCommand command;
  const char* caption;  // UTF-8
  Shortcut shortcut;
};

struct ToolButtonInfo {
  EditorCommand command;
  const char* caption;
  const char* hint;
  bool separator_after;
};

// Every menu item, in the order of the command list above.
std::span<const MenuItemInfo> EditorMenuItems();
// The toolbar SaveToolBar, left to right.
std::span<const ToolButtonInfo> EditorToolButtons();
// The top-level menus, left to right.
std::span<const char* const> EditorTopMenus();

// The command a key press runs, if it is one of the menu shortcuts. Letters
// are matched case-insensitively; the modifiers must match exactly, so
// Ctrl+Shift+Z is redo and never undo.
std::optional<EditorCommand> CommandForShortcut(Shortcut pressed);

inline constexpr const char* kEditorCaption = "图像编辑";
inline constexpr const char* kForegroundHint = "前景色";
inline constexpr const char* kBackgroundHint = "背景色";
inline constexpr const char* kExchangeColorHint = "交换颜色";

}  // namespace ksv::editor
