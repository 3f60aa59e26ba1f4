#include "editor/editor_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

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
    testing::Values(
        KeyCase{{true, false, false, 'Z'}, C::kUndo},
        KeyCase{{true, true, false, 'Z'}, C::kRedo},             // not undo
        KeyCase{{true, false, false, 'V'}, C::kVerticalMirror},  // not paste
        KeyCase{{true, false, true, 'V'}, C::kVerticalFlip},
        KeyCase{{true, false, false, 'L'}, C::kLevelMirror}, KeyCase{{true, false, true, 'L'}, C::kLevelFlip},
        KeyCase{{true, false, false, 'D'}, C::kDegrees90}, KeyCase{{true, false, false, 'O'}, C::kOpenFolder},
        KeyCase{{true, false, true, 'O'}, C::kAntiColor}, KeyCase{{true, false, true, 'T'}, C::kTwoColor},
        KeyCase{{true, false, true, 'S'}, C::kCarving},
        KeyCase{{true, false, false, 's'}, C::kSaveAs},  // lower case letter
        KeyCase{{true, false, true, 'R'}, C::kRelief}, KeyCase{{true, false, true, 'M'}, C::kMosaic},
        KeyCase{{true, false, false, 'M'}, C::kMailUs}, KeyCase{{true, false, true, 'W'}, C::kSetWallPaper},
        KeyCase{{true, false, false, 'H'}, C::kAbout},
        KeyCase{{true, false, false, 'C'}, C::kCopyToClipboard},
        KeyCase{{false, false, false, 'V'}, std::nullopt},  // typing goes to the control
        KeyCase{{true, false, false, 'X'}, std::nullopt}, KeyCase{{true, true, false, 'V'}, std::nullopt},
        KeyCase{{true, false, false, 0}, std::nullopt}));

TEST(EditorCommandsTest, NoTwoItemsShareAShortcut) {
  std::set<std::tuple<bool, bool, bool, char>> seen;
  for (const MenuItemInfo& item : EditorMenuItems()) {
    if (item.shortcut.key == 0) continue;
    const auto key =
        std::make_tuple(item.shortcut.ctrl, item.shortcut.shift, item.shortcut.alt, item.shortcut.key);
    EXPECT_TRUE(seen.insert(key).second) << item.caption;
  }
}

TEST(EditorCommandsTest, ToolbarHasTenButtonsInThreeSeparatedGroupsAndOneMore) {
  const auto buttons = EditorToolButtons();
  ASSERT_EQ(buttons.size(), 10u);
  std::vector<std::size_t> separators;
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].separator_after) separators.push_back(i + 1);
  EXPECT_EQ(separators, (std::vector<std::size_t>{2, 4, 7}));
  EXPECT_EQ(buttons[0].command, C::kSave);
  EXPECT_EQ(buttons[1].command, C::kClose);  // "取消" closes the window
  EXPECT_EQ(buttons[9].command, C::kActualSize);
}

TEST(EditorCommandsTest, EveryMenuCommandHasOneItem) {
  std::set<EditorCommand> seen;
  for (const MenuItemInfo& item : EditorMenuItems())
    EXPECT_TRUE(seen.insert(item.command).second) << item.caption;
  // The zoom commands live on the toolbar and the scaling page only.
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(C::kEnlarge));
}

}  // namespace
}  // namespace ksv::editor
