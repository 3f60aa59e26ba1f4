#include "editor/menu_layout.h"

namespace ksv::editor {

namespace {

using C = EditorCommand;
using K = MenuEntry::Kind;

constexpr MenuEntry Item(C command) { return {K::kItem, command, nullptr, {}}; }
constexpr MenuEntry kSeparator{K::kSeparator, C::kOpenFolder, nullptr, {}};

constexpr MenuEntry kFile[] = {Item(C::kOpenFolder),      kSeparator, Item(C::kSaveAs),
                               Item(C::kCopyToClipboard), kSeparator, Item(C::kClose)};
constexpr MenuEntry kEdit[] = {Item(C::kUndo), Item(C::kRedo)};
constexpr MenuEntry kToolBar[] = {Item(C::kToolBarButtons), Item(C::kToolBarText)};
constexpr MenuEntry kView[] = {
    {K::kSubmenu, C::kOpenFolder, "工具栏", kToolBar}, Item(C::kToolsPanel), Item(C::kStatusBar)};
constexpr MenuEntry kRotate[] = {Item(C::kDegrees90), Item(C::kDegrees180), Item(C::kDegrees270), kSeparator,
                                 Item(C::kArbitraryDegrees)};
constexpr MenuEntry kMirror[] = {Item(C::kLevelMirror), Item(C::kVerticalMirror),
                                 Item(C::kSymmetricalMirror)};
constexpr MenuEntry kImage[] = {Item(C::kLevelFlip),
                                Item(C::kVerticalFlip),
                                kSeparator,
                                {K::kSubmenu, C::kOpenFolder, "旋转", kRotate},
                                {K::kSubmenu, C::kOpenFolder, "镜像", kMirror},
                                kSeparator,
                                Item(C::kAntiColor),
                                Item(C::kTwoColor),
                                Item(C::kGray),
                                kSeparator,
                                Item(C::kContrast),
                                Item(C::kSaturation),
                                Item(C::kBrightness),
                                Item(C::kRgb)};
constexpr MenuEntry kFilter[] = {
    Item(C::kExposure),   Item(C::kCarving), Item(C::kRelief),  Item(C::kSharpen), Item(C::kBlackWhiteNoise),
    Item(C::kColorNoise), Item(C::kSplash),  Item(C::kMosaic),  Item(C::kNeon),    Item(C::kDistortion),
    Item(C::kWave),       kSeparator,        Item(C::kLongView)};
constexpr MenuEntry kTools[] = {Item(C::kSetWallPaper)};
constexpr MenuEntry kHelp[] = {Item(C::kMailUs), Item(C::kHomePage), Item(C::kAbout)};

constexpr TopMenu kBar[] = {{"文件(&F)", kFile},  {"编辑(&E)", kEdit},   {"视图(&V)", kView},
                            {"图像(&P)", kImage}, {"滤镜(&T)", kFilter}, {"工具(&T)", kTools},
                            {"帮助(&H)", kHelp}};

}  // namespace

std::span<const TopMenu> EditorMenuBar() { return kBar; }

const MenuItemInfo* MenuItemOf(EditorCommand command) {
  for (const MenuItemInfo& item : EditorMenuItems()) {
    if (item.command == command) return &item;
  }
  return nullptr;
}

std::string ShortcutText(Shortcut s) {
  if (s.key == 0) return {};
  std::string text;
  if (s.ctrl) text += "Ctrl+";
  if (s.shift) text += "Shift+";
  if (s.alt) text += "Alt+";
  text += s.key;
  return text;
}

std::string MenuItemText(EditorCommand command) {
  const MenuItemInfo* item = MenuItemOf(command);
  if (item == nullptr) return {};
  std::string text = item->caption;
  const std::string keys = ShortcutText(item->shortcut);
  if (!keys.empty()) text += "\t" + keys;
  return text;
}

bool IsCheckItem(EditorCommand command) {
  return command == C::kToolBarButtons || command == C::kToolBarText || command == C::kToolsPanel ||
         command == C::kStatusBar;
}

}  // namespace ksv::editor
