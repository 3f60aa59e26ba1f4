// A window's commands as data: every menu item and toolbar button is one
// row saying what it is called, which keys run it, where it sits in the
// menus and on the toolbar and which picture it shows. The Win32 layer
// builds the menus, the toolbar and the accelerator table from the rows,
// so a new command is one row here and one handler in its window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ksv {

enum Modifier : unsigned { kNoModifier = 0, kCtrl = 1, kAlt = 2, kShift = 4 };

// A menu shortcut: modifiers and a letter key 'A'..'Z'.
struct Shortcut {
  unsigned modifiers = kNoModifier;
  char key = 0;
  constexpr bool empty() const { return key == 0; }
  bool operator==(const Shortcut&) const = default;
};

constexpr Shortcut Ctrl(char key) { return {kCtrl, key}; }
constexpr Shortcut Alt(char key) { return {kAlt, key}; }
constexpr Shortcut CtrlAlt(char key) { return {kCtrl | kAlt, key}; }
constexpr Shortcut CtrlShift(char key) { return {kCtrl | kShift, key}; }

// "Ctrl+Shift+Alt+Z" (always in that order); empty for no shortcut.
std::string ShortcutText(Shortcut s);

// Flags of a command row.
enum CommandFlag : unsigned {
  kNoFlags = 0,
  // A separator line before the item. On the first item of a submenu the
  // line goes before the submenu itself (a menu never starts with one).
  kSeparatorBefore = 1,
  kCheckItem = 2,    // shows a check mark
  kRadioItem = 4,    // shows a radio bullet when checked
  kDefaultItem = 8,  // drawn in bold; what a double click does
  kToolSeparatorAfter = 16,
};

struct CommandRow {
  constexpr CommandRow() = default;
  // In the order of the members; a row names only what it has.
  constexpr CommandRow(int id_, std::string_view name_, std::string_view caption_, Shortcut shortcut_ = {},
                       std::string_view menu_ = {}, unsigned flags_ = kNoFlags, int image_ = -1,
                       int tool_slot_ = -1, std::string_view tool_caption_ = {},
                       std::string_view tool_hint_ = {})
      : id(id_),
        name(name_),
        caption(caption_),
        shortcut(shortcut_),
        menu(menu_),
        flags(flags_),
        image(image_),
        tool_slot(tool_slot_),
        tool_caption(tool_caption_),
        tool_hint(tool_hint_) {}

  int id = 0;
  std::string_view name;     // the component's name, for messages
  std::string_view caption;  // UTF-8, in the menu
  Shortcut shortcut;
  // The menu it sits in: the top menu's caption, then "/" and each
  // submenu's caption ("图像(&P)/旋转"); empty for none. A popup menu is a
  // top menu of its own whose caption is never shown.
  std::string_view menu;
  unsigned flags = kNoFlags;
  int image = -1;  // the menu's picture list; -1 for none
  // The toolbar: position from the left (-1: not on it), caption, hint.
  int tool_slot = -1;
  std::string_view tool_caption;
  std::string_view tool_hint;

  bool Has(CommandFlag f) const { return (flags & f) != 0; }
};

// What a menu item shows: its caption, a tab and the shortcut text.
std::string MenuItemText(const CommandRow& row);

const CommandRow* FindCommand(std::span<const CommandRow> rows, int id);

// Whether the row sits in one of the top menus `menus` (or below them).
bool InMenus(const CommandRow& row, std::span<const std::string_view> menus);

// The rows whose shortcut is live in a window with the menu bar `menus`:
// those of its menu bar's items. A popup's shortcut texts are shown only.
std::vector<const CommandRow*> ShortcutRows(std::span<const CommandRow> rows,
                                            std::span<const std::string_view> menus);

// The command a key press runs in such a window. Letters match in either
// case; the modifiers must match exactly, so Ctrl+Shift+Z never runs
// Ctrl+Z.
std::optional<int> CommandForShortcut(std::span<const CommandRow> rows,
                                      std::span<const std::string_view> menus, Shortcut pressed);

// A menu as the builder makes it: items, separators and submenus in order.
struct MenuNode {
  enum class Kind { kItem, kSeparator, kSubmenu };
  Kind kind = Kind::kItem;
  const CommandRow* row = nullptr;  // kItem
  std::string caption;              // kSubmenu
  std::vector<MenuNode> children;   // kSubmenu
};

// The items of the top menu `top`, in the order of the rows; a submenu
// stands where its first row stands.
std::vector<MenuNode> MenuTree(std::span<const CommandRow> rows, std::string_view top);

// The toolbar's rows, left to right.
std::vector<const CommandRow*> ToolbarRows(std::span<const CommandRow> rows);

// A checked or enabled rule of a command over the window's state, where
// the window has one; a null function means the command has no such rule.
template <class State>
struct CommandRule {
  int id = 0;
  bool (*checked)(const State&) = nullptr;
  bool (*enabled)(const State&) = nullptr;
};

}  // namespace ksv
