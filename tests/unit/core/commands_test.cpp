#include "core/commands.h"

#include <gtest/gtest.h>

#include <string>

namespace ksv {
namespace {

// A small window: two top menus, a submenu opened after a separator, a
// toolbar listed out of menu order and a popup whose keys are shown only.
constexpr std::string_view kFile = "文件(&F)";
constexpr std::string_view kImage = "图像(&P)";
constexpr std::string_view kPopup = "弹出";
constexpr std::string_view kBar[] = {kFile, kImage};

constexpr CommandRow kRows[] = {
    {1, "Open", "打开", Ctrl('O'), kFile, kNoFlags, 3, 1, "打开", "打开图像"},
    {2, "Quit", "退出", {}, kFile, kSeparatorBefore},
    {3, "Flip", "翻转", CtrlAlt('L'), kImage, kNoFlags, -1, 0, "翻转", "翻转图像"},
    {4, "Rotate90", "90度", Ctrl('D'), "图像(&P)/旋转", kSeparatorBefore},
    {5, "RotateAny", "任意", {}, "图像(&P)/旋转", kSeparatorBefore},
    {6, "Mirror", "镜像", Ctrl('L'), kImage, kCheckItem},
    {7, "Redo", "重做", CtrlShift('Z'), kImage},
    {8, "Undo", "撤销", Ctrl('Z'), kImage},
    {9, "Show", "显示", Ctrl('A'), kPopup, kDefaultItem},
    {10, "Zoom", {}, {}, {}, kNoFlags, -1, 2, "放大", "放大图像"},
};

TEST(CommandsTest, ShortcutTextNamesModifiersInOrder) {
  const std::pair<Shortcut, const char*> cases[] = {
      {{}, ""},
      {Ctrl('B'), "Ctrl+B"},
      {Alt('R'), "Alt+R"},
      {CtrlAlt('M'), "Ctrl+Alt+M"},
      {CtrlShift('Z'), "Ctrl+Shift+Z"},
      {{kCtrl | kShift | kAlt, 'Z'}, "Ctrl+Shift+Alt+Z"},
  };
  for (const auto& [keys, text] : cases) EXPECT_EQ(ShortcutText(keys), text);
}

TEST(CommandsTest, MenuItemTextAddsTheShortcutAfterATab) {
  EXPECT_EQ(MenuItemText(kRows[0]), "打开\tCtrl+O");
  EXPECT_EQ(MenuItemText(kRows[1]), "退出");
  EXPECT_EQ(MenuItemText(kRows[2]), "翻转\tCtrl+Alt+L");
}

TEST(CommandsTest, ShortcutsMatchLettersInEitherCaseAndModifiersExactly) {
  struct Case {
    Shortcut pressed;
    std::optional<int> command;
  } cases[] = {
      {Ctrl('Z'), 8},
      {CtrlShift('Z'), 7},  // never undo
      {Ctrl('z'), 8},
      {Ctrl('l'), 6},
      {CtrlAlt('L'), 3},
      {Alt('L'), std::nullopt},
      {{kNoModifier, 'L'}, std::nullopt},  // typing goes to the control
      {{kCtrl | kAlt | kShift, 'L'}, std::nullopt},
      {Ctrl('D'), 4},             // in a submenu
      {Ctrl('A'), std::nullopt},  // the popup's keys are not live
      {Ctrl('X'), std::nullopt},
      {Ctrl(0), std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandForShortcut(kRows, kBar, c.pressed), c.command) << ShortcutText(c.pressed);
}

TEST(CommandsTest, ShortcutRowsAreTheMenuBarsRowsWithKeys) {
  std::vector<int> ids;
  for (const CommandRow* row : ShortcutRows(kRows, kBar)) ids.push_back(row->id);
  EXPECT_EQ(ids, (std::vector<int>{1, 3, 4, 6, 7, 8}));
  EXPECT_TRUE(InMenus(kRows[3], kBar));
  EXPECT_FALSE(InMenus(kRows[8], kBar));
  EXPECT_FALSE(InMenus(kRows[9], kBar));
  // A top menu whose caption starts another's is not the other.
  constexpr std::string_view kShort[] = {"图像"};
  EXPECT_FALSE(InMenus(kRows[2], kShort));
}

// The tree as text: items by id, "-" for a separator, "[caption ...]" for
// a submenu.
std::string Shape(const std::vector<MenuNode>& nodes) {
  std::string text;
  for (const MenuNode& n : nodes) {
    if (!text.empty()) text += ' ';
    switch (n.kind) {
      case MenuNode::Kind::kItem:
        text += std::to_string(n.row->id);
        break;
      case MenuNode::Kind::kSeparator:
        text += '-';
        break;
      case MenuNode::Kind::kSubmenu:
        text += "[" + n.caption + " " + Shape(n.children) + "]";
        break;
    }
  }
  return text;
}

TEST(CommandsTest, MenuTreesFollowTheRowsWithSeparatorsAndSubmenus) {
  EXPECT_EQ(Shape(MenuTree(kRows, kFile)), "1 - 2");
  // The first row of a submenu puts its separator before the submenu.
  EXPECT_EQ(Shape(MenuTree(kRows, kImage)), "3 - [旋转 4 - 5] 6 7 8");
  EXPECT_EQ(Shape(MenuTree(kRows, kPopup)), "9");
  EXPECT_EQ(Shape(MenuTree(kRows, "帮助(&H)")), "");
}

TEST(CommandsTest, ToolbarIsInSlotOrder) {
  std::vector<int> ids;
  for (const CommandRow* row : ToolbarRows(kRows)) ids.push_back(row->id);
  EXPECT_EQ(ids, (std::vector<int>{3, 1, 10}));
}

TEST(CommandsTest, FindsRowsById) {
  ASSERT_NE(FindCommand(kRows, 6), nullptr);
  EXPECT_TRUE(FindCommand(kRows, 6)->Has(kCheckItem));
  EXPECT_FALSE(FindCommand(kRows, 6)->Has(kRadioItem));
  EXPECT_EQ(FindCommand(kRows, 42), nullptr);
}

}  // namespace
}  // namespace ksv
