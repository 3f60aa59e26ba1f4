#include "editor/menu_layout.h"

#include <gtest/gtest.h>

#include <map>

namespace ksv::editor {
namespace {

void Count(std::span<const MenuEntry> entries, std::map<EditorCommand, int>& seen) {
  for (const MenuEntry& e : entries) {
    if (e.kind == MenuEntry::Kind::kItem) ++seen[e.command];
    if (e.kind == MenuEntry::Kind::kSubmenu) Count(e.children, seen);
  }
}

TEST(MenuLayoutTest, EveryMenuCommandAppearsOnceExceptTheHiddenSizeItem) {
  std::map<EditorCommand, int> seen;
  for (const TopMenu& top : EditorMenuBar()) Count(top.entries, seen);
  for (const MenuItemInfo& item : EditorMenuItems()) {
    // "完成" is the toolbar's only; "尺寸" is hidden.
    const int expected =
        (item.command == EditorCommand::kSize || item.command == EditorCommand::kSave) ? 0 : 1;
    EXPECT_EQ(seen[item.command], expected) << item.caption;
  }
}

TEST(MenuLayoutTest, TopMenusAreTheCommandTablesInOrder) {
  ASSERT_EQ(EditorMenuBar().size(), EditorTopMenus().size());
  for (std::size_t i = 0; i < EditorMenuBar().size(); ++i) {
    EXPECT_STREQ(EditorMenuBar()[i].caption, EditorTopMenus()[i]);
  }
}

struct TextCase {
  EditorCommand command;
  const char* text;
};

TEST(MenuLayoutTest, ItemTextsCarryTheirShortcuts) {
  const TextCase cases[] = {
      {EditorCommand::kUndo, "撤销\tCtrl+Z"},
      {EditorCommand::kRedo, "重做\tCtrl+Shift+Z"},
      {EditorCommand::kLevelFlip, "水平翻转\tCtrl+Alt+L"},
      {EditorCommand::kSetWallPaper, "设为壁纸\tCtrl+Alt+W"},
      {EditorCommand::kHomePage, "官方网站"},
      {EditorCommand::kSaveAs, "图像另存为\tCtrl+S"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(MenuItemText(c.command), c.text);
}

TEST(MenuLayoutTest, OnlyTheViewItemsAreCheckItems) {
  int checks = 0;
  for (const MenuItemInfo& item : EditorMenuItems()) checks += IsCheckItem(item.command) ? 1 : 0;
  EXPECT_EQ(checks, 4);
  EXPECT_TRUE(IsCheckItem(EditorCommand::kStatusBar));
  EXPECT_FALSE(IsCheckItem(EditorCommand::kUndo));
}

}  // namespace
}  // namespace ksv::editor
