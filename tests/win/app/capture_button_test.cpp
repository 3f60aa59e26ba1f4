// The capture button of the real main window under Wine, driven through the
// program's own message loop: its synthetic Ctrl+B must reach the hook
// library as the hotkey, and must never come back to the main window as
// its own "开始截图" shortcut while the hook is off (an editor opened
// without being modal is still up), or the button would press itself
// again for ever.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "../../../resources/resource.h"
#include "app/registry_memory.h"
#include "app/settings.h"
#include "app/win/ksv_form.h"
#include "capture/win/hook/ksvmain.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace ksv::app {
namespace {

constexpr const char* kExeFolder = "C:\\Program Files\\KSV\\";

// A key nobody uses, typed after the button's keys: input arrives in order,
// so once it is through the loop, so is everything typed before it.
constexpr BYTE kMarkerKey = VK_F24;

class CaptureButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeSettingsStore(reg_, kExeFolder);
    // The capture must not wait for the main window to leave the screen.
    reg_.Put(RegRoot::LocalMachine, kConventionalKey, "Hide", RegValue::MakeString("0"));
    TKSVFormOptions o;
    o.notify_icon = [](DWORD, NOTIFYICONDATAW&) { return true; };
    o.exe_folder = kExeFolder;
    o.os_major_version = 10;
    o.shell = [](const ShellRequest&) {};
    o.terminate = [] {};
    form_ = std::make_unique<TKSVForm>(reg_);
    ASSERT_TRUE(form_->CreateForm(std::move(o)));
    ASSERT_TRUE(BringUp());
    // Whatever an earlier test left typed is through before the first press.
    ASSERT_TRUE(ExchangeMarker());
  }
  void TearDown() override {
    // Whatever is still typed must not reach the next test.
    ExchangeMarker();
    form_.reset();
    DisableHotKeyHook();
    while (GetDownHotKey()) {
    }
  }

  bool BringUp() {
    form_->OpenMainWindow();
    return Loop([&] { return GetForegroundWindow() == form_->hwnd(); });
  }

  // The program's message loop, until `done` holds (bounded, so a fault
  // fails the test instead of hanging it).
  bool Loop(const std::function<bool()>& done) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    // One message at a time: a press that keeps pressing itself never
    // leaves the queue empty.
    while (!done()) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      MSG msg;
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        continue;
      }
      Seen(msg);
      if (ui::PreTranslateMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return true;
  }

  void Seen(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'B' && (GetKeyState(VK_CONTROL) & 0x8000)) ++ctrl_b_;
    if (msg.message == WM_KEYUP && msg.wParam == kMarkerKey) ++markers_;
  }

  // Types the marker key and runs the loop until it has come through.
  bool ExchangeMarker() {
    const int expected = markers_ + 1;
    keybd_event(kMarkerKey, 0, 0, 0);
    keybd_event(kMarkerKey, 0, KEYEVENTF_KEYUP, 0);
    return Loop([&] { return markers_ >= expected; });
  }

  // "捕捉" pressed with the mouse.
  void PressCaptureButton() {
    SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(IDM_BEGINIP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(form_->hwnd(), IDM_BEGINIP)));
  }

  MemoryRegistry reg_;
  ui::ScopedMessageBoxInterceptor boxes_{[](const ui::MessageBoxCall&) { return IDOK; }};
  std::unique_ptr<TKSVForm> form_;
  int ctrl_b_ = 0;  // Ctrl+B key presses that reached a window of the loop
  int markers_ = 0;
};

TEST_F(CaptureButtonTest, WithTheHookOnThePressIsTheHotKeyAndNoKeyOfTheWindow) {
  // Timer1 off, so the press stays in the hook library to be looked at.
  form_->SetCaptureTimerEnabled(false);
  PressCaptureButton();
  ASSERT_TRUE(ExchangeMarker());
  EXPECT_TRUE(GetDownHotKey()) << "the hook library took the press as Ctrl+B";
  EXPECT_FALSE(GetDownHotKey()) << "exactly one press";
  EXPECT_EQ(ctrl_b_, 0) << "the hook keeps the press from the window";
}

TEST_F(CaptureButtonTest, WithTheEditorOpenTheButtonDoesNotPressItselfAgain) {
  // A full-screen capture opens the editor without being modal and leaves
  // the hook and Timer1 off.
  SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(IDM_FULLSCREEN, 0), 0);
  PressCaptureButton();
  ASSERT_TRUE(Loop([&] { return !form_->CaptureTimerEnabled(); })) << "the capture was taken";
  ASSERT_TRUE(BringUp());
  ASSERT_TRUE(ExchangeMarker());
  ctrl_b_ = 0;

  // The user goes back to the main window and presses "捕捉" once more.
  PressCaptureButton();
  ASSERT_TRUE(ExchangeMarker());
  EXPECT_EQ(ctrl_b_, 1) << "the button's own press reaches the window, nothing is captured";
  // Anything the first press set off is through the loop by the second
  // marker; a press that pressed the button again would show here.
  ASSERT_TRUE(ExchangeMarker());
  EXPECT_EQ(ctrl_b_, 1) << "the press came back as the window's own shortcut";
  EXPECT_FALSE(form_->CaptureTimerEnabled());
  EXPECT_FALSE(GetDownHotKey());
}

}  // namespace
}  // namespace ksv::app
