#include "editor/editor_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "editor/editor_document.h"

namespace ksv::editor {
namespace {

using C = EditorCommand;

struct KeyCase {
  Shortcut pressed;
  std::optional<EditorCommand> expected;
};

class ShortcutTest : public testing::TestWithParam<KeyCase> {};

TEST_P(ShortcutTest, RunsTheMenuCommand) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(CommandForShortcut(c.pressed), c.expected) << "key " << c.pressed.key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortcutTest,
    testing::Values(KeyCase{Ctrl('Z'), C::kUndo}, KeyCase{CtrlShift('Z'), C::kRedo},  // not undo
                    KeyCase{Ctrl('V'), C::kVerticalMirror},                           // not paste
                    KeyCase{CtrlAlt('V'), C::kVerticalFlip}, KeyCase{Ctrl('L'), C::kLevelMirror},
                    KeyCase{CtrlAlt('L'), C::kLevelFlip}, KeyCase{Ctrl('D'), C::kDegrees90},
                    KeyCase{Ctrl('O'), C::kOpenFolder}, KeyCase{CtrlAlt('O'), C::kAntiColor},
                    KeyCase{CtrlAlt('T'), C::kTwoColor}, KeyCase{CtrlAlt('S'), C::kCarving},
                    KeyCase{Ctrl('s'), C::kSaveAs},  // lower case letter
                    KeyCase{CtrlAlt('R'), C::kRelief}, KeyCase{CtrlAlt('M'), C::kMosaic},
                    KeyCase{Ctrl('M'), C::kMailUs}, KeyCase{CtrlAlt('W'), C::kSetWallPaper},
                    KeyCase{Ctrl('H'), C::kAbout}, KeyCase{Ctrl('C'), C::kCopyToClipboard},
                    KeyCase{{kNoModifier, 'V'}, std::nullopt},  // typing goes to the control
                    KeyCase{Ctrl('X'), std::nullopt}, KeyCase{CtrlShift('V'), std::nullopt},
                    KeyCase{Ctrl(0), std::nullopt}));

TEST(EditorCommandsTest, NoTwoItemsShareAShortcut) {
  std::set<std::pair<unsigned, char>> seen;
  for (const CommandRow& row : EditorCommands()) {
    if (row.shortcut.empty()) continue;
    EXPECT_TRUE(seen.insert({row.shortcut.modifiers, row.shortcut.key}).second) << row.caption;
    // Every shown shortcut works: its item is in the menu bar.
    EXPECT_TRUE(InMenus(row, kEditorMenuBar)) << row.caption;
  }
}

TEST(EditorCommandsTest, RowsAreInCommandOrderWithTheirIdentifiers) {
  const auto rows = EditorCommands();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kEditorCommandCount));
  for (int i = 0; i < kEditorCommandCount; ++i) {
    const auto c = static_cast<EditorCommand>(i);
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].id, kCommandBase + i);
    EXPECT_EQ(&RowOf(c), &rows[static_cast<std::size_t>(i)]);
    EXPECT_EQ(CommandOfId(CommandId(c)), c);
  }
  EXPECT_EQ(CommandOfId(kCommandBase - 1), std::nullopt);
  EXPECT_EQ(CommandOfId(kCommandBase + kEditorCommandCount), std::nullopt);
}

TEST(EditorCommandsTest, ToolbarHasTenButtonsInThreeSeparatedGroupsAndOneMore) {
  const auto buttons = ToolbarRows(EditorCommands());
  ASSERT_EQ(buttons.size(), 10u);
  std::vector<std::size_t> separators;
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->Has(kToolSeparatorAfter)) separators.push_back(i + 1);
  EXPECT_EQ(separators, (std::vector<std::size_t>{2, 4, 7}));
  EXPECT_EQ(buttons[0]->id, CommandId(C::kSave));
  EXPECT_EQ(buttons[1]->id, CommandId(C::kClose));  // "取消" closes the window
  EXPECT_EQ(buttons[9]->id, CommandId(C::kActualSize));
  EXPECT_EQ(buttons[4]->tool_caption, "90度旋转");
  EXPECT_EQ(buttons[4]->tool_hint, "图像顺时针旋转90度");
  for (const CommandRow* b : buttons) EXPECT_FALSE(b->tool_hint.empty()) << b->tool_caption;
}

TEST(EditorCommandsTest, EveryMenuCommandHasOneItem) {
  std::set<std::string_view> seen;
  int captioned = 0;
  for (const CommandRow& row : EditorCommands()) {
    if (row.caption.empty()) continue;
    ++captioned;
    EXPECT_TRUE(seen.insert(row.name).second) << row.caption;
  }
  // The zoom commands live on the toolbar and the scaling page only.
  EXPECT_EQ(captioned, static_cast<int>(C::kEnlarge));
}

void Count(const std::vector<MenuNode>& nodes, std::map<int, int>& seen) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuNode::Kind::kItem) ++seen[n.row->id];
    if (n.kind == MenuNode::Kind::kSubmenu) Count(n.children, seen);
  }
}

TEST(EditorMenuTest, EveryMenuCommandAppearsOnceExceptTheHiddenSizeItem) {
  std::map<int, int> seen;
  for (std::string_view top : kEditorMenuBar) Count(MenuTree(EditorCommands(), top), seen);
  for (int i = 0; i < static_cast<int>(C::kEnlarge); ++i) {
    const auto c = static_cast<EditorCommand>(i);
    // "完成" is the toolbar's only; "尺寸" is hidden.
    const int expected = (c == C::kSize || c == C::kSave) ? 0 : 1;
    EXPECT_EQ(seen[CommandId(c)], expected) << RowOf(c).caption;
  }
}

// The menus as text: ids less the base, "-" for a separator, "[caption
// ...]" for a submenu.
std::string Shape(const std::vector<MenuNode>& nodes) {
  std::string text;
  for (const MenuNode& n : nodes) {
    if (!text.empty()) text += ' ';
    if (n.kind == MenuNode::Kind::kItem) text += std::to_string(n.row->id - kCommandBase);
    if (n.kind == MenuNode::Kind::kSeparator) text += '-';
    if (n.kind == MenuNode::Kind::kSubmenu) text += "[" + n.caption + " " + Shape(n.children) + "]";
  }
  return text;
}

TEST(EditorMenuTest, MenusHoldTheirItemsSeparatorsAndSubmenus) {
  const std::pair<std::string_view, const char*> cases[] = {
      {"文件(&F)", "0 - 1 2 - 3"},
      {"编辑(&E)", "5 6"},
      {"视图(&V)", "[工具栏 7 8] 9 10"},
      {"图像(&P)", "12 13 - [旋转 14 15 16 - 17] [镜像 18 19 20] - 21 22 23 - 24 25 26 27"},
      {"滤镜(&T)", "28 29 30 31 32 33 34 35 36 37 38 - 39"},
      {"工具(&T)", "40"},
      {"帮助(&H)", "41 42 43"},
  };
  for (const auto& [top, shape] : cases) EXPECT_EQ(Shape(MenuTree(EditorCommands(), top)), shape) << top;
}

struct TextCase {
  EditorCommand command;
  const char* text;
};

TEST(EditorMenuTest, ItemTextsCarryTheirShortcuts) {
  const TextCase cases[] = {
      {C::kUndo, "撤销\tCtrl+Z"},
      {C::kRedo, "重做\tCtrl+Shift+Z"},
      {C::kLevelFlip, "水平翻转\tCtrl+Alt+L"},
      {C::kSetWallPaper, "设为壁纸\tCtrl+Alt+W"},
      {C::kHomePage, "官方网站"},
      {C::kSaveAs, "图像另存为\tCtrl+S"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(MenuItemText(RowOf(c.command)), c.text);
}

TEST(EditorMenuTest, OnlyTheViewItemsAreCheckItems) {
  int checks = 0;
  for (const CommandRow& row : EditorCommands()) checks += row.Has(kCheckItem) ? 1 : 0;
  EXPECT_EQ(checks, 4);
  EXPECT_TRUE(RowOf(C::kStatusBar).Has(kCheckItem));
  EXPECT_FALSE(RowOf(C::kUndo).Has(kCheckItem));
}

TEST(EditorMenuTest, RulesFollowTheDocumentsToggles) {
  EditorDocument doc;
  auto rule = [](EditorCommand c) {
    for (const auto& r : EditorCommandRules())
      if (r.id == CommandId(c)) return r;
    return CommandRule<EditorDocument>{};
  };
  // Every check item has a check rule.
  for (const CommandRow& row : EditorCommands()) {
    if (!row.Has(kCheckItem)) continue;
    EXPECT_NE(rule(*CommandOfId(row.id)).checked, nullptr) << row.caption;
  }
  EXPECT_TRUE(rule(C::kStatusBar).checked(doc));
  EXPECT_TRUE(rule(C::kToolBarText).enabled(doc));
  doc.ToolBarBtnMenuClick();
  EXPECT_FALSE(rule(C::kToolBarButtons).checked(doc));
  EXPECT_FALSE(rule(C::kToolBarText).enabled(doc)) << "no captions without buttons";
  EXPECT_EQ(rule(C::kUndo).checked, nullptr);
}

}  // namespace
}  // namespace ksv::editor
