// The editor's commands: one row each with its menu caption, shortcut,
// place in the menus and on the toolbar, and the rules that check or grey
// it. The window builds its menu bar, toolbar and accelerator table from
// the rows, so its menu shortcuts take their keys before the focused
// control sees them (Ctrl+V in the text tool's box mirrors the picture
// instead of pasting, and Ctrl+Z undoes the picture).
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "core/commands.h"

namespace ksv::editor {

class EditorDocument;

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
inline constexpr int kEditorCommandCount = static_cast<int>(EditorCommand::kActualSize) + 1;

// Menu items and toolbar buttons carry kCommandBase plus the command's
// number as their identifier.
inline constexpr int kCommandBase = 2000;
constexpr int CommandId(EditorCommand c) { return kCommandBase + static_cast<int>(c); }
std::optional<EditorCommand> CommandOfId(int id);

// The menu bar, left to right. "尺寸" is hidden and in no menu; "完成"
// and the zoom commands are the toolbar's only.
inline constexpr std::string_view kEditorMenuBar[] = {"文件(&F)", "编辑(&E)", "视图(&V)", "图像(&P)",
                                                      "滤镜(&T)", "工具(&T)", "帮助(&H)"};

// Every command, in the order of the list above.
std::span<const CommandRow> EditorCommands();
const CommandRow& RowOf(EditorCommand command);

// The view menu's check marks and the captions item's grey, and the zoom
// buttons' grey, from the document.
std::span<const CommandRule<EditorDocument>> EditorCommandRules();

// The command a key press runs, if it is one of the menu shortcuts.
std::optional<EditorCommand> CommandForShortcut(Shortcut pressed);

inline constexpr const char* kEditorCaption = "图像编辑";
inline constexpr const char* kForegroundHint = "前景色";
inline constexpr const char* kBackgroundHint = "背景色";
inline constexpr const char* kExchangeColorHint = "交换颜色";

}  // namespace ksv::editor
