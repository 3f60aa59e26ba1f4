#include "core/commands.h"

#include <algorithm>

namespace ksv {

namespace {

constexpr char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The submenu captions below `top` in `menu`, or nothing when the row
// belongs to another top menu.
std::optional<std::vector<std::string_view>> PathBelow(std::string_view menu, std::string_view top) {
  if (menu.substr(0, top.size()) != top) return std::nullopt;
  std::string_view rest = menu.substr(top.size());
  if (!rest.empty() && rest.front() != '/') return std::nullopt;
  std::vector<std::string_view> path;
  while (!rest.empty()) {
    rest.remove_prefix(1);
    const std::size_t end = rest.find('/');
    path.push_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  }
  return path;
}

}  // namespace

std::string ShortcutText(Shortcut s) {
  if (s.empty()) return {};
  std::string text;
  if (s.modifiers & kCtrl) text += "Ctrl+";
  if (s.modifiers & kShift) text += "Shift+";
  if (s.modifiers & kAlt) text += "Alt+";
  text += s.key;
  return text;
}

std::string MenuItemText(const CommandRow& row) {
  std::string text(row.caption);
  if (!row.shortcut.empty()) text += "\t" + ShortcutText(row.shortcut);
  return text;
}

const CommandRow* FindCommand(std::span<const CommandRow> rows, int id) {
  for (const CommandRow& row : rows)
    if (row.id == id) return &row;
  return nullptr;
}

bool InMenus(const CommandRow& row, std::span<const std::string_view> menus) {
  for (std::string_view top : menus)
    if (!row.menu.empty() && PathBelow(row.menu, top)) return true;
  return false;
}

std::vector<const CommandRow*> ShortcutRows(std::span<const CommandRow> rows,
                                            std::span<const std::string_view> menus) {
  std::vector<const CommandRow*> live;
  for (const CommandRow& row : rows)
    if (!row.shortcut.empty() && InMenus(row, menus)) live.push_back(&row);
  return live;
}

std::optional<int> CommandForShortcut(std::span<const CommandRow> rows,
                                      std::span<const std::string_view> menus, Shortcut pressed) {
  if (pressed.empty()) return std::nullopt;
  pressed.key = Upper(pressed.key);
  for (const CommandRow* row : ShortcutRows(rows, menus))
    if (row->shortcut == pressed) return row->id;
  return std::nullopt;
}

std::vector<MenuNode> MenuTree(std::span<const CommandRow> rows, std::string_view top) {
  std::vector<MenuNode> tree;
  for (const CommandRow& row : rows) {
    if (row.menu.empty()) continue;
    const auto path = PathBelow(row.menu, top);
    if (!path) continue;
    bool separator = row.Has(kSeparatorBefore);
    std::vector<MenuNode>* level = &tree;
    for (std::string_view caption : *path) {
      MenuNode* sub = nullptr;
      for (MenuNode& node : *level)
        if (node.kind == MenuNode::Kind::kSubmenu && node.caption == caption) sub = &node;
      if (sub == nullptr) {
        if (separator && !level->empty()) level->push_back({MenuNode::Kind::kSeparator, nullptr, {}, {}});
        separator = false;
        level->push_back({MenuNode::Kind::kSubmenu, nullptr, std::string(caption), {}});
        sub = &level->back();
      }
      level = &sub->children;
    }
    if (separator && !level->empty()) level->push_back({MenuNode::Kind::kSeparator, nullptr, {}, {}});
    level->push_back({MenuNode::Kind::kItem, &row, {}, {}});
  }
  return tree;
}

std::vector<const CommandRow*> ToolbarRows(std::span<const CommandRow> rows) {
  std::vector<const CommandRow*> bar;
  for (const CommandRow& row : rows)
    if (row.tool_slot >= 0) bar.push_back(&row);
  // A table lists its rows in menu order, not toolbar order.
  std::stable_sort(bar.begin(), bar.end(),
                   [](const CommandRow* a, const CommandRow* b) { return a->tool_slot < b->tool_slot; });
  return bar;
}

}  // namespace ksv
