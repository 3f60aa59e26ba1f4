// Which item sits in which of the editor's menus, so the window can build
// its menu bar from the command table.
#pragma once

#include <span>
#include <string>

#include "editor/editor_commands.h"

namespace ksv::editor {

struct MenuEntry {
  enum class Kind { kItem, kSeparator, kSubmenu };
  Kind kind = Kind::kItem;
  EditorCommand command = EditorCommand::kOpenFolder;  // kItem
  const char* caption = nullptr;                       // kSubmenu (UTF-8)
  std::span<const MenuEntry> children;                 // kSubmenu
};

struct TopMenu {
  const char* caption;  // UTF-8, with its access key
  std::span<const MenuEntry> entries;
};

// The menu bar, left to right. "尺寸" is hidden and has no entry.
std::span<const TopMenu> EditorMenuBar();

// The caption of an item as the menu shows it: the command's caption, and
// after a tab its shortcut ("撤销\tCtrl+Z").
std::string MenuItemText(EditorCommand command);
// "Ctrl+Shift+Z"; "" for no shortcut.
std::string ShortcutText(Shortcut shortcut);
const MenuItemInfo* MenuItemOf(EditorCommand command);

// The view menu's four items carry check marks.
bool IsCheckItem(EditorCommand command);

}  // namespace ksv::editor
