// The main window under Wine: built hidden over an in-memory registry, its
// controls and menus read back, its handlers driven by the messages a user's
// clicks and keys would send.
#include "app/win/ksv_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../../../resources/resource.h"
#include "app/main_form_model.h"
#include "app/registry_memory.h"
#include "app/settings.h"
#include "capture/win/hook/ksvmain.h"
#include "common/keys_held.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "video/win/video_links.h"

namespace ksv::app {
namespace {

using ui::Wide;

constexpr const char* kExeFolder = "C:\\Program Files\\KSV\\";
constexpr const char* kDocuments = "C:\\users\\me\\Documents";

class FakeVideo : public video::VideoApi {
 public:
  HWND Handle() const override { return nullptr; }
  void ShowVideoModal() override {
    ++shown;
    main_visible_when_shown = Forms().main->MainWindowVisible();
  }
  int shown = 0;
  bool main_visible_when_shown = true;
};

class KsvFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg_.Put(RegRoot::CurrentUser, kShellFoldersKey, kPersonalValue, RegValue::MakeString(kDocuments));
    // The Run key exists on every system.
    reg_.Put(RegRoot::LocalMachine, kRunKey, "Other", RegValue::MakeString("other.exe"));
  }
  void TearDown() override {
    form_.reset();
    DisableHotKeyHook();
    video::Links().video = nullptr;
  }

  TKSVForm& Make(std::optional<std::u16string> arg = std::nullopt, unsigned os_major = 10) {
    form_.reset();
    TKSVFormOptions o;
    o.notify_icon = [this](DWORD message, NOTIFYICONDATAW& data) {
      tray_calls_.push_back({message, data});
      return tray_available_;
    };
    o.first_argument = std::move(arg);
    o.exe_folder = kExeFolder;
    o.os_major_version = os_major;
    o.shell = [this](const ShellRequest& r) { shell_.push_back(r); };
    o.pick_folder = [this](HWND) { return folder_answer_; };
    o.terminate = [this] { ++terminated_; };
    form_ = std::make_unique<TKSVForm>(reg_);
    EXPECT_TRUE(form_->CreateForm(std::move(o)));
    return *form_;
  }

  HWND Item(int id) const { return GetDlgItem(form_->hwnd(), id); }
  std::string Text(int id) const { return ui::Utf8(ui::WindowText(Item(id))); }
  void SetText(int id, const std::string& utf8) { SetWindowTextW(Item(id), Wide(utf8).c_str()); }
  void Command(int id, int code = 0) {
    SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  void MenuCommand(int id) { SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A user's click on a check box: the box toggles, then tells the window.
  void Tick(int id, bool on) {
    ui::SetChecked(Item(id), on);
    Command(id, BN_CLICKED);
  }
  bool Checked(int id) const { return ui::IsChecked(Item(id)); }
  bool MenuChecked(int id) const {
    return (GetMenuState(form_->MainMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  std::string Stored(std::string_view key, std::string_view name) const {
    const auto v = reg_.Value(RegRoot::LocalMachine, key, name);
    if (!v) return "<missing>";
    return v->type == RegType::Integer ? "int:" + std::to_string(v->integer) : v->text;
  }

  MemoryRegistry reg_;
  std::vector<ui::MessageBoxCall> boxes_;
  ui::ScopedMessageBoxInterceptor intercept_{[this](const ui::MessageBoxCall& c) {
    boxes_.push_back(c);
    return IDOK;
  }};
  std::vector<ShellRequest> shell_;
  std::optional<std::wstring> folder_answer_;
  struct TrayCall {
    DWORD message;
    NOTIFYICONDATAW data;
  };
  std::vector<TrayCall> tray_calls_;
  bool tray_available_ = true;
  int terminated_ = 0;
  std::unique_ptr<TKSVForm> form_;
};

TEST_F(KsvFormTest, FirstStartWritesTheDefaultsAndShowsThemInThePages) {
  TKSVForm& f = Make();
  EXPECT_EQ(Forms().main, &f);
  EXPECT_EQ(Stored(kKsvKey, "Ver"), "V1.6");
  EXPECT_EQ(Stored(kKsvKey, "Install_Dir"), kExeFolder);
  EXPECT_EQ(Stored(kHighKey, "Quit"), "int:0");
  EXPECT_EQ(ui::Utf8(ui::WindowText(f.hwnd())), "万象快拍宗师V1.6");
  EXPECT_EQ(Text(IDC_SAVEDIR), kDocuments);
  EXPECT_EQ(Stored(kSaveKey, "Dir"), "") << "the documents folder is not stored";
  EXPECT_EQ(Text(IDC_FNAMETEMP), "截图");
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1");
  EXPECT_EQ(Text(IDC_WIDTHVALUE), "600");
  EXPECT_EQ(Text(IDC_HEIGHTVALUE), "400");
  EXPECT_EQ(Text(IDC_JPGCOMP), "压缩比：80%");
  EXPECT_TRUE(Checked(IDC_OVERSOUND));
  EXPECT_TRUE(Checked(IDC_INCLUDEMOUSE));
  EXPECT_TRUE(Checked(IDC_HIDEMAINFORM));
  EXPECT_FALSE(Checked(IDC_DELAYTIME));
  EXPECT_FALSE(Checked(IDC_AUTOSTART));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_STARTTOTRAY)));
  EXPECT_TRUE(Checked(IDC_NAMEASTEMP));
  EXPECT_FALSE(Checked(IDC_NAMEASTIME));

  const Settings s = f.LiveSettings();
  EXPECT_EQ(s.save.PicFormatRadioGroup, 1);
  EXPECT_EQ(s.save.JpgCompTrackBar, 80);
  EXPECT_EQ(s.high.QuitMain, 0);
  EXPECT_EQ(s.fixed.FixedWidth, 600);
  EXPECT_EQ(s.fixed.FixedHeight, 400);
  EXPECT_EQ(f.LiveCaptureMode(), CaptureMode::Region);
  EXPECT_TRUE(Checked(IDM_REGION));
  EXPECT_TRUE(f.LiveIncludeCursor());
  EXPECT_TRUE(f.CaptureTimerEnabled());
  EXPECT_TRUE(f.ShowAtStart());
  EXPECT_FALSE(f.LoadingFailed());
  EXPECT_FALSE(IsWindowVisible(f.hwnd())) << "created hidden";
  EXPECT_EQ(f.ActivePage(), 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(KsvFormTest, ClientAreaIsTheDesignedSizeWithAFixedBorder) {
  TKSVForm& f = Make();
  RECT client{};
  GetClientRect(f.hwnd(), &client);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, ScaleLength(kMainClientWidth, dpi));
  EXPECT_EQ(client.bottom, ScaleLength(kMainClientHeight, dpi));
  const LONG style = GetWindowLongW(f.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT outer{};
  GetWindowRect(f.hwnd(), &outer);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(KsvFormTest, AnyArgumentKeepsTheWindowInTheTray) {
  for (const std::u16string arg : {u"s", u"S", u"/x"}) {
    TKSVForm& f = Make(arg);
    EXPECT_FALSE(f.ShowAtStart());
    EXPECT_FALSE(f.MainWindowVisible());
  }
  EXPECT_TRUE(Make().ShowAtStart());
}

TEST_F(KsvFormTest, LoadingErrorIsShownAndTheRestOfTheLoadingSkipped) {
  InitializeSettingsStore(reg_, kExeFolder);
  reg_.Put(RegRoot::LocalMachine, kConventionalKey, "Hide", RegValue::MakeString("0"));
  reg_.Put(RegRoot::LocalMachine, kSaveKey, "Type", RegValue::MakeInteger(2));
  reg_.Put(RegRoot::LocalMachine, kSaveKey, "Comp", RegValue::MakeString("35"));
  TKSVForm& f = Make(u"s");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Invalid data type for 'Type'");
  EXPECT_EQ(boxes_[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_TRUE(f.LoadingFailed());
  EXPECT_TRUE(f.ShowAtStart()) << "shown whatever the command line says";
  EXPECT_FALSE(Checked(IDC_HIDEMAINFORM)) << "loaded before the error";
  EXPECT_EQ(f.LiveSettings().save.JpgCompTrackBar, 80) << "after the error: designed default";
  EXPECT_TRUE(IsWindowEnabled(Item(IDM_FIXREGION)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDM_AXTIVEOBJECT)));
  EXPECT_EQ(f.LiveSettings().fixed.FixedWidth, 600);
}

TEST_F(KsvFormTest, BadStoredSizeIsResetWithItsMessageWhileLoading) {
  InitializeSettingsStore(reg_, kExeFolder);
  reg_.Put(RegRoot::LocalMachine, kConventionalKey, "Width", RegValue::MakeString("0"));
  reg_.Put(RegRoot::LocalMachine, kConventionalKey, "Height", RegValue::MakeString("250"));
  TKSVForm& f = Make();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"请输入大于1的数");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK)) << "a plain box";
  EXPECT_EQ(Text(IDC_WIDTHVALUE), "600");
  EXPECT_EQ(f.LiveSettings().fixed.FixedHeight, 250);
}

TEST_F(KsvFormTest, NewerSystemsGreyTheTwoClickModeButtonsButNotTheirMenuItems) {
  struct Case {
    unsigned major;
    bool enabled;
  } cases[] = {{5, true}, {6, false}, {10, false}};
  for (const Case& c : cases) {
    TKSVForm& f = Make(std::nullopt, c.major);
    EXPECT_EQ(IsWindowEnabled(Item(IDM_FIXREGION)) != FALSE, c.enabled);
    EXPECT_EQ(IsWindowEnabled(Item(IDM_AXTIVEOBJECT)) != FALSE, c.enabled);
    EXPECT_TRUE(IsWindowEnabled(Item(IDM_REGION)));
    EXPECT_FALSE(GetMenuState(f.MainMenu(), IDM_FIXREGION, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(f.MainMenu(), IDM_AXTIVEOBJECT, MF_BYCOMMAND) & MF_GRAYED);
  }
}

TEST_F(KsvFormTest, ChoosingAModeKeepsMenuAndButtonsInStep) {
  TKSVForm& f = Make();
  for (const CaptureMode m : {CaptureMode::FullScreen, CaptureMode::FixRegion, CaptureMode::ActiveWindow,
                              CaptureMode::AxtiveObject, CaptureMode::Region}) {
    MenuCommand(CommandOfMode(m));
    EXPECT_EQ(f.LiveCaptureMode(), m);
    for (const CaptureMode other : kAllModes) {
      EXPECT_EQ(MenuChecked(CommandOfMode(other)), other == m);
      EXPECT_EQ(Checked(CommandOfMode(other)), other == m);
    }
  }
  // The button does the same as the menu item.
  Command(IDM_FULLSCREEN, BN_CLICKED);
  EXPECT_EQ(f.LiveCaptureMode(), CaptureMode::FullScreen);
  EXPECT_TRUE(f.CaptureTimerEnabled());
}

TEST_F(KsvFormTest, MenuShortcutsReachTheWindowBeforeAFocusedControl) {
  TKSVForm& f = Make();
  const wintest::KeysHeld alt({VK_MENU, VK_LMENU});
  // Alt+R typed while the delay edit has the focus.
  MSG msg{Item(IDC_DELAYTIMECAP), WM_SYSKEYDOWN, 'R', 0x20000001, 0, {}};
  EXPECT_TRUE(ui::PreTranslateMessage(msg));
  EXPECT_EQ(f.LiveCaptureMode(), CaptureMode::FixRegion);
  MSG other{Item(IDC_WIDTHVALUE), WM_SYSKEYDOWN, 'F', 0x20000001, 0, {}};
  EXPECT_TRUE(ui::PreTranslateMessage(other));
  EXPECT_EQ(f.LiveCaptureMode(), CaptureMode::FullScreen);
}

TEST_F(KsvFormTest, MenusCarryTheirItems) {
  TKSVForm& f = Make();
  EXPECT_EQ(GetMenuItemCount(f.MainMenu()), 3);
  wchar_t text[64] = {};
  GetMenuStringW(f.MainMenu(), IDM_INCLUDECURSOR, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"包含鼠标\tCtrl+Alt+M");
  GetMenuStringW(f.MainMenu(), 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"截图范围(&C)");
  EXPECT_EQ(GetMenuItemCount(f.TrayPopupMenu()), 4);
  GetMenuStringW(f.TrayPopupMenu(), IDM_OPENMAIN, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"打开主程序\tCtrl+O");
  EXPECT_NE(f.Accelerators(), nullptr);
  EXPECT_EQ(CopyAcceleratorTableW(f.Accelerators(), nullptr, 0), 9);
}

TEST_F(KsvFormTest, DelayEditTakesOnlyDigitsAndStaysBetweenOneAndSixty) {
  Make();
  SetText(IDC_DELAYTIMECAP, "75");
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "60");
  SetText(IDC_DELAYTIMECAP, "0");
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1");
  EXPECT_TRUE(boxes_.empty());

  SetText(IDC_DELAYTIMECAP, "1");
  SendMessageW(Item(IDC_DELAYTIMECAP), EM_SETSEL, 0, -1);
  for (const wchar_t ch : {L'a', L'-', L'\b', L' '}) SendMessageW(Item(IDC_DELAYTIMECAP), WM_CHAR, ch, 0);
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1");
  SendMessageW(Item(IDC_DELAYTIMECAP), WM_CHAR, L'7', 0);
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "7");

  // The up-down arrow at 1 moves to 0, which the check puts back.
  SetText(IDC_DELAYTIMECAP, "1");
  SendMessageW(Item(IDC_DELAYTIMEUPDOWN), UDM_SETPOS32, 0, 0);
  SetText(IDC_DELAYTIMECAP, "0");
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1");

  boxes_.clear();
  SetText(IDC_DELAYTIMECAP, "1x");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"'1x' is not a valid integer value");
  EXPECT_EQ(boxes_[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1x");
}

TEST_F(KsvFormTest, SizeBelowOneIsResetWithItsMessageAndCountsOnlyAfterOk) {
  TKSVForm& f = Make();
  struct Case {
    int id;
    const char* text;
    const char* after;
    bool message;
  } cases[] = {
      {IDC_WIDTHVALUE, "", "600", true},      {IDC_WIDTHVALUE, "0", "600", true},
      {IDC_WIDTHVALUE, "1", "1", false},      {IDC_HEIGHTVALUE, "", "400", true},
      {IDC_HEIGHTVALUE, "800", "800", false},
  };
  for (const Case& c : cases) {
    boxes_.clear();
    SetText(c.id, c.text);
    EXPECT_EQ(Text(c.id), c.after) << c.text;
    ASSERT_EQ(boxes_.size(), c.message ? 1u : 0u) << c.text;
    if (c.message) {
      EXPECT_EQ(boxes_[0].text, L"请输入大于1的数");
      EXPECT_EQ(boxes_[0].flags & MB_ICONMASK, 0u) << "a plain box";
    }
  }
  SetText(IDC_WIDTHVALUE, "320");
  EXPECT_EQ(f.LiveSettings().fixed.FixedWidth, 600) << "not before OK";
  Command(IDC_CONVENTIONALOKBTN, BN_CLICKED);
  EXPECT_EQ(f.LiveSettings().fixed.FixedWidth, 320);
  EXPECT_EQ(f.LiveSettings().fixed.FixedHeight, 800);
  EXPECT_EQ(Stored(kConventionalKey, "Width"), "320");
  EXPECT_EQ(Stored(kConventionalKey, "Height"), "800");
}

TEST_F(KsvFormTest, EmptyTemplateComesBackAndTrackBarLabelFollows) {
  Make();
  SetText(IDC_FNAMETEMP, "");
  EXPECT_EQ(Text(IDC_FNAMETEMP), "截图");
  SendMessageW(Item(IDC_JPGCOMPTRACKBAR), TBM_SETPOS, TRUE, 35);
  SendMessageW(form_->hwnd(), WM_HSCROLL, TB_THUMBPOSITION,
               reinterpret_cast<LPARAM>(Item(IDC_JPGCOMPTRACKBAR)));
  EXPECT_EQ(Text(IDC_JPGCOMP), "压缩比：35%");
  EXPECT_EQ(form_->LiveSettings().save.JpgCompTrackBar, 35);
}

TEST_F(KsvFormTest, IncludeMouseDrivesTheMenuSwitchButNotTheReverse) {
  TKSVForm& f = Make();
  Tick(IDC_INCLUDEMOUSE, false);
  EXPECT_FALSE(f.LiveIncludeCursor());
  Tick(IDC_INCLUDEMOUSE, true);
  EXPECT_TRUE(f.LiveIncludeCursor());
  MenuCommand(IDM_INCLUDECURSOR);
  EXPECT_FALSE(f.LiveIncludeCursor());
  EXPECT_TRUE(Checked(IDC_INCLUDEMOUSE)) << "the menu item leaves the box alone";
  Command(IDC_CONVENTIONALOKBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kConventionalKey, "Mouse"), "1") << "the stored value follows the box";
}

TEST_F(KsvFormTest, StoredMouseOffClearsTheMenuSwitchAtStart) {
  InitializeSettingsStore(reg_, kExeFolder);
  reg_.Put(RegRoot::LocalMachine, kConventionalKey, "Mouse", RegValue::MakeString("0"));
  TKSVForm& f = Make();
  EXPECT_FALSE(Checked(IDC_INCLUDEMOUSE));
  EXPECT_FALSE(f.LiveIncludeCursor());
}

TEST_F(KsvFormTest, CloseHidesWithQuitZeroAndQuitsOtherwise) {
  TKSVForm& f = Make();
  f.OpenMainWindow();
  ASSERT_TRUE(f.MainWindowVisible());
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(f.MainWindowVisible());
  EXPECT_TRUE(IsWindow(f.hwnd()));
  EXPECT_EQ(terminated_, 0);

  // The stored value counts, read at the moment of the request.
  reg_.Put(RegRoot::LocalMachine, kHighKey, "Quit", RegValue::MakeInteger(1));
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(terminated_, 1);
}

TEST_F(KsvFormTest, CloseWithoutAStoredActionQuits) {
  TKSVForm& f = Make();
  ASSERT_TRUE(reg_.OpenKey(RegRoot::LocalMachine, kHighKey, false)->DeleteValue("Quit"));
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(terminated_, 1);
}

TEST_F(KsvFormTest, CloseWithAWrongTypeReportsAndKeepsRunning) {
  TKSVForm& f = Make();
  reg_.Put(RegRoot::LocalMachine, kHighKey, "Quit", RegValue::MakeString("0"));
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(terminated_, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Invalid data type for 'Quit'");
}

TEST_F(KsvFormTest, AnErrorWhileAnErrorIsShownMakesNoSecondBox) {
  TKSVForm& f = Make();
  reg_.Put(RegRoot::LocalMachine, kHighKey, "Quit", RegValue::MakeString("0"));
  int nested = 0;
  ui::ScopedMessageBoxInterceptor inner([&](const ui::MessageBoxCall& c) {
    boxes_.push_back(c);
    // The same failing event again while the box is open, as a timer tick
    // inside the box's loop would.
    if (++nested == 1) SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
    return IDOK;
  });
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(boxes_.size(), 1u);
  // Once the box is gone, the next error is reported again.
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(KsvFormTest, TrayIconIsAddedWithItsHintAndRemovedOnQuit) {
  TKSVForm& f = Make();
  ASSERT_EQ(tray_calls_.size(), 1u);
  const NOTIFYICONDATAW added = tray_calls_[0].data;
  EXPECT_EQ(tray_calls_[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.hWnd, f.hwnd());
  EXPECT_EQ(added.uCallbackMessage, TKSVForm::kTrayMessage);
  EXPECT_STREQ(added.szTip, L"万象快拍宗师");
  EXPECT_NE(added.hIcon, nullptr);
  EXPECT_TRUE(f.TrayIconShown());
  MenuCommand(IDM_CLOSE);
  ASSERT_EQ(tray_calls_.size(), 2u);
  EXPECT_EQ(tray_calls_[1].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(tray_calls_[1].data.uID, added.uID);
  EXPECT_FALSE(f.TrayIconShown());
}

TEST_F(KsvFormTest, TrayIconComesBackWhenExplorerRestarts) {
  TKSVForm& f = Make();
  tray_calls_.clear();
  SendMessageW(f.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_EQ(tray_calls_.size(), 1u);
  EXPECT_EQ(tray_calls_[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(f.TrayIconShown());
}

TEST_F(KsvFormTest, WithoutANotificationAreaNothingIsRemovedOnQuit) {
  tray_available_ = false;
  TKSVForm& f = Make();
  EXPECT_FALSE(f.TrayIconShown());
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(tray_calls_.size(), 1u) << "only the attempt to add";
  EXPECT_EQ(terminated_, 1);
}

TEST_F(KsvFormTest, BothQuitItemsEndTheProgram) {
  for (const int id : {IDM_QUIT, IDM_CLOSE}) {
    Make();
    MenuCommand(id);
    EXPECT_EQ(terminated_, 1);
    terminated_ = 0;
  }
}

TEST_F(KsvFormTest, TrayClicksOpenTheMainWindow) {
  TKSVForm& f = Make(u"s");
  ASSERT_FALSE(f.MainWindowVisible());
  SendMessageW(f.hwnd(), TKSVForm::kTrayMessage, 1, WM_LBUTTONUP);
  EXPECT_TRUE(f.MainWindowVisible());
  ShowWindow(f.hwnd(), SW_MINIMIZE);
  SendMessageW(f.hwnd(), TKSVForm::kTrayMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsIconic(f.hwnd()));
  f.HideMainWindow();
  MenuCommand(IDM_OPENMAIN);
  EXPECT_TRUE(f.MainWindowVisible());
}

TEST_F(KsvFormTest, HelpCommandsGoToTheShell) {
  Make();
  MenuCommand(IDM_US);
  MenuCommand(IDM_ABOUT);
  MenuCommand(IDM_MAIL);
  MenuCommand(IDM_HOME);
  ASSERT_EQ(shell_.size(), 4u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(shell_[i].verb, L"open");
    EXPECT_EQ(shell_[i].file, L"C:\\Program Files\\KSV\\Readme.txt");
    EXPECT_EQ(shell_[i].parameters, L"");
    EXPECT_EQ(shell_[i].show, SW_SHOW);
  }
  EXPECT_EQ(shell_[2].verb, L"open");
  EXPECT_EQ(shell_[2].file.rfind(L"mailto:", 0), 0u);
  EXPECT_EQ(shell_[2].show, SW_SHOWNORMAL);
  EXPECT_EQ(shell_[3].verb, L"");
  EXPECT_EQ(shell_[3].file.rfind(L"https://", 0), 0u);
  EXPECT_FALSE(shell_[3].parameters);
}

TEST_F(KsvFormTest, CameraButtonHidesTheMainWindowAndShowsTheCameraModally) {
  FakeVideo video;
  video::Links().video = &video;
  TKSVForm& f = Make();
  f.OpenMainWindow();
  Command(IDC_CAMERABTN, BN_CLICKED);
  EXPECT_EQ(video.shown, 1);
  EXPECT_FALSE(video.main_visible_when_shown);
}

TEST_F(KsvFormTest, FolderDialogSetsTheFolderOnlyWhenConfirmed) {
  Make();
  SetText(IDC_SAVEDIR, "D:\\old");
  folder_answer_.reset();
  Command(IDC_SAVEDIRBTN, BN_CLICKED);
  EXPECT_EQ(Text(IDC_SAVEDIR), "D:\\old");
  folder_answer_ = L"E:\\图片";
  Command(IDC_SAVEDIRBTN, BN_CLICKED);
  EXPECT_EQ(Text(IDC_SAVEDIR), "E:\\图片");
}

TEST_F(KsvFormTest, SaveOkStoresTemplateAndFolderOnlyWithTheTemplateChosen) {
  TKSVForm& f = Make();
  Command(IDC_PICFORMAT_TIF, BN_CLICKED);
  EXPECT_TRUE(Checked(IDC_PICFORMAT_TIF));
  EXPECT_FALSE(Checked(IDC_PICFORMAT_JPG));
  SetText(IDC_FNAMETEMP, "图");
  SetText(IDC_SAVEDIR, "D:\\shots");
  Command(IDC_NAMEASTIME, BN_CLICKED);
  EXPECT_TRUE(Checked(IDC_NAMEASTIME));
  EXPECT_FALSE(Checked(IDC_NAMEASTEMP));
  Command(IDC_SAVEOKBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kSaveKey, "Type"), "3");
  EXPECT_EQ(Stored(kSaveKey, "Time"), "1");
  EXPECT_EQ(Stored(kSaveKey, "Temp"), "截图");
  EXPECT_EQ(Stored(kSaveKey, "Dir"), "");
  Command(IDC_NAMEASTEMP, BN_CLICKED);
  Command(IDC_SAVEOKBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kSaveKey, "Time"), "0");
  EXPECT_EQ(Stored(kSaveKey, "Temp"), "图");
  EXPECT_EQ(Stored(kSaveKey, "Dir"), "D:\\shots");
  EXPECT_EQ(f.LiveSettings().save.SaveDir, "D:\\shots");
}

TEST_F(KsvFormTest, HighOkStoresCloseActionAndAutostart) {
  Make();
  Tick(IDC_AUTOSTART, true);
  Command(IDC_QUITMAIN_QUIT, BN_CLICKED);
  Command(IDC_HIGHBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kHighKey, "Quit"), "int:1");
  EXPECT_EQ(Stored(kHighKey, "Minimize"), "int:0");
  EXPECT_EQ(Stored(kRunKey, "KSV"), "\"C:\\Program Files\\KSV\\KSV.exe\" s");
  Tick(IDC_AUTOSTART, false);
  Command(IDC_HIGHBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kRunKey, "KSV"), "<missing>");
}

TEST_F(KsvFormTest, StoredPagesComeBackAfterARestart) {
  Make();
  Tick(IDC_OVERSOUND, false);
  Tick(IDC_HIDEMAINFORM, false);
  Tick(IDC_DELAYTIME, true);
  SetText(IDC_DELAYTIMECAP, "3");
  SetText(IDC_WIDTHVALUE, "123");
  SetText(IDC_HEIGHTVALUE, "45");
  Command(IDC_CONVENTIONALOKBTN, BN_CLICKED);
  Command(IDC_PICFORMAT_GIF, BN_CLICKED);
  SendMessageW(Item(IDC_JPGCOMPTRACKBAR), TBM_SETPOS, TRUE, 55);
  SetText(IDC_SAVEDIR, "D:\\pics");
  SetText(IDC_FNAMETEMP, "shot");
  Command(IDC_SAVEOKBTN, BN_CLICKED);
  Tick(IDC_AUTOSTART, true);
  Command(IDC_QUITMAIN_QUIT, BN_CLICKED);
  Command(IDC_HIGHBTN, BN_CLICKED);
  EXPECT_EQ(Stored(kConventionalKey, "Delay"), "int:3000");

  TKSVForm& again = Make();
  EXPECT_FALSE(Checked(IDC_OVERSOUND));
  EXPECT_FALSE(Checked(IDC_HIDEMAINFORM));
  EXPECT_TRUE(Checked(IDC_DELAYTIME));
  EXPECT_EQ(Text(IDC_DELAYTIMECAP), "1") << "the delay edit is never loaded";
  const Settings s = again.LiveSettings();
  EXPECT_EQ(s.fixed.FixedWidth, 123);
  EXPECT_EQ(s.fixed.FixedHeight, 45);
  EXPECT_EQ(s.save.PicFormatRadioGroup, 2);
  EXPECT_EQ(s.save.JpgCompTrackBar, 55);
  EXPECT_EQ(Text(IDC_JPGCOMP), "压缩比：55%");
  EXPECT_EQ(s.save.SaveDir, "D:\\pics");
  EXPECT_EQ(s.save.FNameTemp, "shot");
  EXPECT_TRUE(s.high.AutoStart);
  EXPECT_EQ(s.high.QuitMain, 1);
}

TEST_F(KsvFormTest, PagesShowOnlyTheirOwnControls) {
  TKSVForm& f = Make();
  f.OpenMainWindow();
  for (int page = 0; page < 3; ++page) {
    f.ShowPage(page);
    EXPECT_EQ(f.ActivePage(), page);
    for (const PageControl& c : PageControls())
      EXPECT_EQ(IsWindowVisible(Item(c.id)) != FALSE, c.page == page && c.visible) << c.name;
  }
}

TEST_F(KsvFormTest, TimerCanBeSwitchedOffAndOn) {
  TKSVForm& f = Make();
  f.SetCaptureTimerEnabled(false);
  EXPECT_FALSE(f.CaptureTimerEnabled());
  f.SetCaptureTimerEnabled(true);
  EXPECT_TRUE(f.CaptureTimerEnabled());
}

}  // namespace
}  // namespace ksv::app
