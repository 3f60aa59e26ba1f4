#include "ui/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/keys_held.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"
#include "ui/window.h"

namespace ksv::ui {
namespace {

constexpr std::string_view kFile = "文件(&F)";
constexpr std::string_view kImage = "图像(&P)";
constexpr std::string_view kPopup = "弹出";
constexpr std::string_view kBar[] = {kFile, kImage};

constexpr CommandRow kRows[] = {
    {101, "Open", "打开", Ctrl('O'), kFile, kNoFlags, 0},
    {102, "Quit", "退出", {}, kFile, kSeparatorBefore},
    {103, "Flip", "翻转", CtrlAlt('L'), kImage, kRadioItem},
    {104, "Rotate90", "90度", Ctrl('D'), "图像(&P)/旋转", kSeparatorBefore},
    {105, "Redo", "重做", CtrlShift('Z'), kImage},
    {106, "Undo", "撤销", Ctrl('Z'), kImage, kCheckItem},
    {107, "Mirror", "镜像", Alt('R'), kImage},
    {108, "Show", "显示", Ctrl('A'), kPopup, kDefaultItem, 0},
    {109, "About", "关于", {}, kPopup, kSeparatorBefore},
};

std::wstring ItemText(HMENU menu, UINT item, UINT by) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, item, text, 64, by);
  return text;
}

UINT ItemType(HMENU menu, UINT position) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, position, TRUE, &mii);
  return mii.fType;
}

HBITMAP ItemBitmap(HMENU menu, int id) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_BITMAP;
  GetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &mii);
  return mii.hbmpItem;
}

TEST(CommandBuilderTest, MenuBarHoldsTheRowsWithShortcutTextsSeparatorsAndSubmenus) {
  Bitmap picture(CreateBitmap(16, 16, 1, 32, nullptr));
  std::vector<int> asked;
  const MenuHandle bar = BuildMenuBar(kRows, kBar, [&](int image) {
    asked.push_back(image);
    return picture.get();
  });
  ASSERT_TRUE(bar);
  ASSERT_EQ(GetMenuItemCount(bar.get()), 2);
  EXPECT_EQ(ItemText(bar.get(), 0, MF_BYPOSITION), L"文件(&F)");
  EXPECT_EQ(ItemText(bar.get(), 1, MF_BYPOSITION), L"图像(&P)");

  HMENU file = GetSubMenu(bar.get(), 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(ItemText(file, 0, MF_BYPOSITION), L"打开\tCtrl+O");
  EXPECT_NE(ItemType(file, 1) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(ItemText(file, 2, MF_BYPOSITION), L"退出");
  EXPECT_EQ(ItemBitmap(bar.get(), 101), picture.get());
  EXPECT_EQ(ItemBitmap(bar.get(), 102), nullptr);
  EXPECT_EQ(asked, (std::vector<int>{0})) << "only rows with a picture ask for one";

  // 翻转, separator, 旋转 ▸ (90度), 重做, 撤销, 镜像.
  HMENU image = GetSubMenu(bar.get(), 1);
  ASSERT_EQ(GetMenuItemCount(image), 6);
  EXPECT_NE(ItemType(image, 0) & MFT_RADIOCHECK, 0u);
  EXPECT_NE(ItemType(image, 1) & MFT_SEPARATOR, 0u);
  HMENU rotate = GetSubMenu(image, 2);
  ASSERT_NE(rotate, nullptr);
  EXPECT_EQ(ItemText(image, 2, MF_BYPOSITION), L"旋转");
  EXPECT_EQ(ItemText(rotate, 0, MF_BYPOSITION), L"90度\tCtrl+D");
  EXPECT_EQ(ItemText(bar.get(), 105, MF_BYCOMMAND), L"重做\tCtrl+Shift+Z");
  EXPECT_EQ(GetMenuState(bar.get(), 108, MF_BYCOMMAND), static_cast<UINT>(-1)) << "the popup's item";
}

TEST(CommandBuilderTest, PopupMenuHasItsDefaultItem) {
  const MenuHandle popup = BuildPopupMenu(kRows, kPopup);
  ASSERT_TRUE(popup);
  ASSERT_EQ(GetMenuItemCount(popup.get()), 3);
  EXPECT_EQ(ItemText(popup.get(), 0, MF_BYPOSITION), L"显示\tCtrl+A");
  EXPECT_EQ(GetMenuDefaultItem(popup.get(), FALSE, 0), 108u);
}

TEST(CommandBuilderTest, ChecksAndGreysFollowTheRules) {
  const MenuHandle bar = BuildMenuBar(kRows, kBar);
  struct State {
    bool undo_checked;
    bool quit_enabled;
  };
  constexpr CommandRule<State> rules[] = {
      {106, [](const State& s) { return s.undo_checked; }},
      {102, nullptr, [](const State& s) { return s.quit_enabled; }},
  };
  for (const State s : {State{true, false}, State{false, true}}) {
    ApplyMenuRules<State>(bar.get(), rules, s);
    EXPECT_EQ(MenuChecked(bar.get(), 106), s.undo_checked);
    EXPECT_EQ(MenuEnabled(bar.get(), 102), s.quit_enabled);
    EXPECT_TRUE(MenuEnabled(bar.get(), 106)) << "no enabled rule: left alone";
  }
  EXPECT_FALSE(MenuEnabled(bar.get(), 999));
  EXPECT_FALSE(MenuChecked(bar.get(), 999));
}

// Counts the commands that reach it, and runs them through a table.
class CommandWindow : public Window {
 public:
  bool Make() {
    CreateParams p;
    p.class_name = L"KsvTestCommandWindow";
    p.style = WS_OVERLAPPEDWINDOW;
    p.width = 200;
    p.height = 100;
    return Create(p);
  }
  void Undo() { ran.push_back("undo"); }
  void Redo() { ran.push_back("redo"); }
  std::vector<int> commands;
  std::vector<std::string> ran;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_COMMAND) {
      commands.push_back(LOWORD(wparam));
      return 0;
    }
    return DefaultHandler(msg, wparam, lparam);
  }
};

TEST(CommandBuilderTest, AcceleratorsTakeTheMenuBarsKeysBeforeAFocusedEdit) {
  CommandWindow host;
  ASSERT_TRUE(host.Make());
  HWND edit = CreateChild(host.hwnd(), L"EDIT", L"", WS_VISIBLE, 9, 0, 0, 100, 20);
  const AcceleratorHandle table = BuildAccelerators(kRows, kBar);
  ASSERT_TRUE(table);
  EXPECT_EQ(CopyAcceleratorTableW(table.get(), nullptr, 0), 6) << "the popup's Ctrl+A is shown only";
  RegisterAccelerators(host.hwnd(), table.get());

  struct Case {
    UINT message;
    WPARAM key;
    std::vector<int> down;
    int command;  // 0: the key goes on to the edit
  } cases[] = {
      {WM_KEYDOWN, 'Z', {VK_CONTROL}, 106},
      {WM_KEYDOWN, 'Z', {VK_CONTROL, VK_SHIFT}, 105},
      {WM_KEYDOWN, 'L', {VK_CONTROL, VK_MENU}, 103},
      {WM_SYSKEYDOWN, 'R', {VK_MENU}, 107},
      {WM_KEYDOWN, 'D', {VK_CONTROL}, 104},
      {WM_KEYDOWN, 'Z', {}, 0},
      {WM_KEYDOWN, 'L', {VK_CONTROL}, 0},  // modifiers must match exactly
      {WM_KEYDOWN, 'A', {VK_CONTROL}, 0},
      {WM_KEYUP, 'Z', {VK_CONTROL}, 0},
  };
  for (const Case& c : cases) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE state[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(state));
    for (int k : {VK_CONTROL, VK_LCONTROL, VK_SHIFT, VK_LSHIFT, VK_MENU, VK_LMENU}) state[k] = 0;
    for (int k : c.down) state[k] = 0x80;
    SetKeyboardState(state);
    host.commands.clear();
    const LPARAM bits = c.message == WM_SYSKEYDOWN ? 0x20000001 : 1;
    MSG msg{edit, c.message, c.key, bits, 0, {}};
    EXPECT_EQ(PreTranslateMessage(msg), c.command != 0) << static_cast<char>(c.key);
    EXPECT_EQ(host.commands, c.command != 0 ? std::vector<int>{c.command} : std::vector<int>{})
        << static_cast<char>(c.key);
    SetKeyboardState(saved);
  }
  RegisterAccelerators(host.hwnd(), nullptr);
}

TEST(CommandBuilderTest, DispatchRunsTheTablesHandler) {
  CommandWindow w;
  constexpr CommandHandler<CommandWindow> table[] = {{106, &CommandWindow::Undo},
                                                     {105, &CommandWindow::Redo}};
  EXPECT_TRUE(RunCommand<CommandWindow>(w, table, 105));
  EXPECT_TRUE(RunCommand<CommandWindow>(w, table, 106));
  EXPECT_FALSE(RunCommand<CommandWindow>(w, table, 101));
  EXPECT_EQ(w.ran, (std::vector<std::string>{"redo", "undo"}));

  constexpr NotificationHandler<CommandWindow> notes[] = {{9, EN_CHANGE, &CommandWindow::Undo}};
  EXPECT_FALSE(RunNotification<CommandWindow>(w, notes, 9, EN_SETFOCUS)) << "another notification";
  EXPECT_FALSE(RunNotification<CommandWindow>(w, notes, 8, EN_CHANGE)) << "another control";
  EXPECT_TRUE(RunNotification<CommandWindow>(w, notes, 9, EN_CHANGE));
  EXPECT_EQ(w.ran, (std::vector<std::string>{"redo", "undo", "undo"}));
}

}  // namespace
}  // namespace ksv::ui
