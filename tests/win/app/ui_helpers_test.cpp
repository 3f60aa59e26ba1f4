// The shared helpers the main window is built with: child controls, hints,
// check states and the message loop's per-window shortcuts.
#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "common/keys_held.h"
#include "ui/controls.h"
#include "ui/message_loop.h"
#include "ui/window.h"

namespace ksv::ui {
namespace {

constexpr int kCommand = 4242;

// A plain top-level window that counts the commands it receives.
class Host : public Window {
 public:
  bool Make() {
    CreateParams p;
    p.class_name = L"KsvUiHelpersHost";
    p.caption = L"host";
    p.style = WS_OVERLAPPEDWINDOW;
    return Create(p);
  }
  int commands = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_COMMAND && LOWORD(wparam) == kCommand) {
      ++commands;
      return 0;
    }
    return DefaultHandler(msg, wparam, lparam);
  }
};

TEST(UiHelpersTest, TextsRoundTripInChinese) {
  EXPECT_EQ(Wide("截图"), L"截图");
  EXPECT_EQ(Utf8(L"压缩比：80%"), "压缩比：80%");
  Host host;
  ASSERT_TRUE(host.Make());
  HWND edit = CreateChild(host.hwnd(), L"EDIT", L"万象", WS_VISIBLE, 7, 0, 0, 100, 20);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetDlgCtrlID(edit), 7);
  EXPECT_EQ(WindowText(edit), L"万象");
  SetWindowTextIfDifferent(edit, L"快拍");
  EXPECT_EQ(WindowText(edit), L"快拍");
  SetWindowTextW(edit, L"");
  EXPECT_EQ(WindowText(edit), L"");
}

TEST(UiHelpersTest, CheckStatesAndHints) {
  Host host;
  ASSERT_TRUE(host.Make());
  HWND box = CreateChild(host.hwnd(), L"BUTTON", L"包含鼠标", BS_AUTOCHECKBOX | WS_VISIBLE, 8, 0, 0, 100, 20);
  EXPECT_FALSE(IsChecked(box));
  SetChecked(box, true);
  EXPECT_TRUE(IsChecked(box));
  SetChecked(box, false);
  EXPECT_FALSE(IsChecked(box));

  HWND hints = CreateHintWindow(host.hwnd());
  ASSERT_NE(hints, nullptr);
  AddHint(hints, box, L"点击截图");
  AddHint(hints, host.hwnd(), L"请按Ctrl+B组合键开始截图");
  EXPECT_EQ(SendMessageW(hints, TTM_GETTOOLCOUNT, 0, 0), 2);
  AddHint(nullptr, box, L"ignored");  // no hint window: nothing happens
}

TEST(UiHelpersTest, ShortcutsGoToTheirWindowOnlyWhileRegistered) {
  Host host;
  ASSERT_TRUE(host.Make());
  HWND edit = CreateChild(host.hwnd(), L"EDIT", L"", WS_VISIBLE, 9, 0, 0, 100, 20);
  ACCEL accel{FVIRTKEY | FCONTROL, 'K', kCommand};
  HACCEL table = CreateAcceleratorTableW(&accel, 1);
  ASSERT_NE(table, nullptr);
  const wintest::KeysHeld ctrl({VK_CONTROL, VK_LCONTROL});
  MSG key{edit, WM_KEYDOWN, 'K', 1, 0, {}};

  EXPECT_FALSE(PreTranslateMessage(key)) << "not registered yet";
  RegisterAccelerators(host.hwnd(), table);
  EXPECT_TRUE(PreTranslateMessage(key));
  EXPECT_EQ(host.commands, 1);

  // Another window's messages are left alone.
  Host other;
  ASSERT_TRUE(other.Make());
  MSG elsewhere{other.hwnd(), WM_KEYDOWN, 'K', 1, 0, {}};
  EXPECT_FALSE(PreTranslateMessage(elsewhere));
  EXPECT_EQ(host.commands, 1);

  RegisterAccelerators(host.hwnd(), nullptr);
  EXPECT_FALSE(PreTranslateMessage(key));
  EXPECT_EQ(host.commands, 1);
  DestroyAcceleratorTable(table);
}

TEST(UiHelpersTest, MessagesWithoutAWindowAreNotTranslated) {
  MSG thread_message{nullptr, WM_APP, 0, 0, 0, {}};
  EXPECT_FALSE(PreTranslateMessage(thread_message));
}

}  // namespace
}  // namespace ksv::ui
