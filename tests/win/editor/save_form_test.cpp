#include "editor/win/save_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/keys_held.h"
#include "editor_fake.h"
#include "ui/message_box.h"

namespace ksv::editor {
namespace {

using testing::FakeCapture;
using testing::FakeMainForm;
using testing::Pattern;
using testing::PumpPending;
using testing::PumpUntil;
using testing::ScopedForms;

class SaveFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form_.CreateForm());
    form_.System().play_voice = [this] { calls_.push_back("play voice"); };
    form_.System().enable_hot_key_hook = [this] { main_.calls.push_back("hook on"); };
  }
  void TearDown() override {
    if (form_.EditorVisible()) ShowWindow(form_.hwnd(), SW_HIDE);
  }
  void Command(EditorCommand c) {
    SendMessageW(form_.hwnd(), WM_COMMAND, static_cast<WPARAM>(kCommandBase + static_cast<int>(c)), 0);
  }

  FakeMainForm main_;
  FakeCapture capture_{main_.calls};
  ScopedForms forms_{&main_, &capture_};
  std::vector<std::string> calls_;
  TSaveForm form_;
};

TEST_F(SaveFormTest, RegistersAsTheProgramsEditorWithItsCaption) {
  EXPECT_EQ(Links().editor, &form_);
  wchar_t caption[64] = {};
  GetWindowTextW(form_.hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"图像编辑");
  EXPECT_FALSE(form_.EditorVisible());
}

TEST_F(SaveFormTest, ShowsALargeCaptureInsideTheWorkArea) {
  const Raster capture = Pattern(1280, 1024);
  form_.LoadPicture(capture);
  form_.ShowEditor(false);
  EXPECT_TRUE(form_.EditorVisible());
  EXPECT_TRUE(form_.Picture().SamePixels(capture));
  RECT window;
  GetWindowRect(form_.hwnd(), &window);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  GetMonitorInfoW(MonitorFromWindow(form_.hwnd(), MONITOR_DEFAULTTONEAREST), &mi);
  EXPECT_GE(window.left, mi.rcWork.left);
  EXPECT_GE(window.top, mi.rcWork.top);
  EXPECT_LE(window.right, mi.rcWork.right);
  EXPECT_LE(window.bottom, mi.rcWork.bottom);
  // The picture is larger than the view, so both bars show.
  EXPECT_TRUE(form_.Document().Bars().horizontal);
  EXPECT_TRUE(form_.Document().Bars().vertical);
  form_.FormActivate();
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kSize), L"1280*1024");
}

TEST_F(SaveFormTest, SmallCaptureGetsTheMinimumWindowAndPlaysTheSound) {
  form_.LoadPicture(Pattern(400, 300));
  RECT before;
  GetWindowRect(form_.hwnd(), &before);
  EXPECT_EQ(before.right - before.left, 400 + 55 + 129);
  EXPECT_EQ(before.bottom - before.top, 300 + 62 + 2 * 19 + 75);
  form_.ShowEditor(false);
  RECT after;
  GetWindowRect(form_.hwnd(), &after);
  EXPECT_EQ(after.right - after.left, 746);
  EXPECT_EQ(after.bottom - after.top, 536);
  EXPECT_EQ(calls_, std::vector<std::string>{"play voice"});
}

TEST_F(SaveFormTest, NoSoundWhenTheOptionIsCleared) {
  main_.settings.conventional.OverSound = false;
  form_.LoadPicture(Pattern(50, 40));
  form_.ShowEditor(false);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(SaveFormTest, UndoRightAfterOpeningChangesNothing) {
  const Raster capture = Pattern(320, 200);
  form_.LoadPicture(capture);
  form_.ShowEditor(false);
  Command(EditorCommand::kUndo);
  EXPECT_TRUE(form_.Picture().SamePixels(capture));
  Command(EditorCommand::kRedo);
  EXPECT_TRUE(form_.Picture().SamePixels(capture));
}

TEST_F(SaveFormTest, ACaptureIntoTheOpenEditorStartsItsOwnHistory) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  const Raster second = Pattern(30, 20);
  form_.LoadPicture(second);
  form_.ShowEditor(false);
  Command(EditorCommand::kUndo);
  EXPECT_TRUE(form_.Picture().SamePixels(second));
  EXPECT_EQ(calls_, (std::vector<std::string>{"play voice", "play voice"}));
}

TEST_F(SaveFormTest, UndoAndRedoOneRecordedStep) {
  const Raster capture = Pattern(64, 48);
  form_.LoadPicture(capture);
  form_.ShowEditor(false);
  const Raster changed(64, 48, MakeColor(255, 0, 0));
  form_.SetPicture(changed);
  form_.PushHistory();
  Command(EditorCommand::kUndo);
  EXPECT_TRUE(form_.Picture().SamePixels(capture));
  Command(EditorCommand::kUndo);
  EXPECT_TRUE(form_.Picture().SamePixels(capture));
  Command(EditorCommand::kRedo);
  EXPECT_TRUE(form_.Picture().SamePixels(changed));
}

TEST_F(SaveFormTest, ZoomButtonsEnableAndDisableAtTheirLimits) {
  form_.LoadPicture(Pattern(800, 600));
  form_.ShowEditor(false);
  EXPECT_TRUE(form_.ToolButtonEnabled(EditorCommand::kEnlarge));
  EXPECT_TRUE(form_.ToolButtonEnabled(EditorCommand::kNarrow));
  Command(EditorCommand::kEnlarge);
  EXPECT_EQ(form_.Document().DisplayedSize(), (Size{1000, 750}));
  // Enlarge until the width passes 4000: 1250, 1562, 1952, 2440, 3050, 3812, 4765.
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(form_.ToolButtonEnabled(EditorCommand::kEnlarge)) << i;
    Command(EditorCommand::kEnlarge);
  }
  EXPECT_EQ(form_.Document().DisplayedSize().width, 4765);
  EXPECT_GT(form_.Document().DisplayedSize().width, 4000);
  EXPECT_FALSE(form_.ToolButtonEnabled(EditorCommand::kEnlarge));
  Command(EditorCommand::kNarrow);
  EXPECT_TRUE(form_.ToolButtonEnabled(EditorCommand::kEnlarge));
  // Narrow until the width drops under 40.
  for (int i = 0; i < 30 && form_.Document().DisplayedSize().width >= 40; ++i)
    Command(EditorCommand::kNarrow);
  EXPECT_LT(form_.Document().DisplayedSize().width, 40);
  EXPECT_FALSE(form_.ToolButtonEnabled(EditorCommand::kNarrow));
  Command(EditorCommand::kActualSize);
  EXPECT_EQ(form_.Document().DisplayedSize(), (Size{800, 600}));
  // Actual size leaves the buttons as they were.
  EXPECT_FALSE(form_.ToolButtonEnabled(EditorCommand::kNarrow));
  Command(EditorCommand::kEnlarge);
  EXPECT_TRUE(form_.ToolButtonEnabled(EditorCommand::kNarrow));
}

TEST_F(SaveFormTest, ScalingPageButtonsZoomToo) {
  form_.LoadPicture(Pattern(800, 600));
  form_.ShowEditor(false);
  SendMessageW(form_.PageControlHandle(PageControl::kEnlargeBtn), BM_CLICK, 0, 0);
  EXPECT_EQ(form_.Document().DisplayedSize(), (Size{1000, 750}));
  SendMessageW(form_.PageControlHandle(PageControl::kActualSizeBtn), BM_CLICK, 0, 0);
  EXPECT_EQ(form_.Document().DisplayedSize(), (Size{800, 600}));
}

TEST_F(SaveFormTest, CtrlZReachesUndoWhileTheTextBoxHasTheFocus) {
  const Raster capture = Pattern(64, 48);
  form_.LoadPicture(capture);
  form_.ShowEditor(false);
  form_.SetPicture(Raster(64, 48, MakeColor(0, 0, 255)));
  form_.PushHistory();
  HWND edit = form_.PageControlHandle(PageControl::kTextEdit);
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"abc");
  SetFocus(edit);
  bool undone = false;
  {
    const wintest::KeysHeld ctrl({VK_CONTROL});
    PostMessageW(edit, WM_KEYDOWN, 'Z', 1);
    undone = PumpUntil([&] { return form_.Picture().SamePixels(capture); });
  }
  EXPECT_TRUE(undone);
  wchar_t text[16] = {};
  GetWindowTextW(edit, text, 16);
  EXPECT_STREQ(text, L"abc");
}

TEST_F(SaveFormTest, PlainLettersStillReachTheTextBox) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  HWND edit = form_.PageControlHandle(PageControl::kTextEdit);
  SetWindowTextW(edit, L"");
  SetFocus(edit);
  const wintest::KeysHeld plain({}, {VK_CONTROL, VK_MENU});
  const Raster before = form_.Picture();
  PostMessageW(edit, WM_KEYDOWN, 'Z', 1);
  PostMessageW(edit, WM_CHAR, 'z', 1);
  const bool typed = PumpUntil([&] { return GetWindowTextLengthW(edit) >= 1; });
  EXPECT_TRUE(typed);
  EXPECT_TRUE(form_.Picture().SharesPixelsWith(before));
}

TEST_F(SaveFormTest, TabMovesBetweenThePageControls) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  HWND edit = form_.PageControlHandle(PageControl::kTextEdit);
  HWND button = form_.PageControlHandle(PageControl::kTextPropertiesBtn);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  const wintest::KeysHeld plain({}, {VK_CONTROL, VK_SHIFT});
  PostMessageW(edit, WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == button; }));
}

TEST_F(SaveFormTest, ClosingHidesAndRearmsTheCapture) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  main_.calls.clear();
  SendMessageW(form_.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form_.EditorVisible());
  EXPECT_TRUE(main_.timer);
  EXPECT_EQ(main_.calls, (std::vector<std::string>{"timer on", "hook on", "editor closed"}));
}

TEST_F(SaveFormTest, CancelButtonClosesLikeTheCloseBox) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  main_.calls.clear();
  Command(EditorCommand::kClose);
  EXPECT_FALSE(form_.EditorVisible());
  EXPECT_EQ(main_.calls, (std::vector<std::string>{"timer on", "hook on", "editor closed"}));
}

TEST_F(SaveFormTest, ModalShowReturnsWhenTheEditorIsClosed) {
  form_.LoadPicture(Pattern(64, 48));
  PostMessageW(form_.hwnd(), WM_CLOSE, 0, 0);
  form_.ShowEditor(true);
  EXPECT_FALSE(form_.EditorVisible());
  EXPECT_TRUE(main_.timer);
}

TEST_F(SaveFormTest, MouseMoveOverThePictureShowsColourAndPosition) {
  Raster picture(100, 80, MakeColor(0, 0, 0));
  picture.SetPixel(10, 20, 0x00563412);
  picture.SetPixel(11, 20, MakeColor(255, 0, 0));
  form_.LoadPicture(picture);
  form_.ShowEditor(false);
  const Point at = form_.Document().View().PicturePosition();
  SendMessageW(form_.ScrollBoxHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 10, at.y + 20));
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kColor), L"R：18 G：52 B：86  $00563412");
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kPosition), L"坐标 x：10 y：20");
  SendMessageW(form_.ScrollBoxHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 11, at.y + 20));
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kColor), L"R：255 G：0 B：0  clRed");
}

// The colour the scroll box shows at a point of its client area.
COLORREF ShownAt(HWND box, Point at) {
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(box);
  const COLORREF c = GetPixel(dc, at.x, at.y);
  ReleaseDC(box, dc);
  return c;
}

TEST_F(SaveFormTest, ViewShowsThePicturePixelsAtEachZoom) {
  // Four quadrants of plain colours, so the nearest pixel is unambiguous.
  Raster picture(200, 100, MakeColor(255, 0, 0));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (x >= 100) picture.SetPixel(x, y, y < 50 ? MakeColor(0, 255, 0) : MakeColor(0, 0, 255));
    }
  }
  form_.LoadPicture(picture);
  form_.ShowEditor(false);
  HWND box = form_.ScrollBoxHandle();
  Point at = form_.Document().View().PicturePosition();
  EXPECT_EQ(ShownAt(box, {at.x + 10, at.y + 10}), RGB(255, 0, 0));
  EXPECT_EQ(ShownAt(box, {at.x + 150, at.y + 20}), RGB(0, 255, 0));
  EXPECT_EQ(ShownAt(box, {at.x + 150, at.y + 80}), RGB(0, 0, 255));
  // Outside the picture the box shows its own face colour.
  EXPECT_EQ(ShownAt(box, {at.x - 3, at.y + 10}), GetSysColor(COLOR_BTNFACE));
  Command(EditorCommand::kEnlarge);  // 250 x 125
  at = form_.Document().View().PicturePosition();
  EXPECT_EQ(ShownAt(box, {at.x + 240, at.y + 120}), RGB(0, 0, 255));
  EXPECT_EQ(ShownAt(box, {at.x + 2, at.y + 120}), RGB(255, 0, 0));
}

TEST_F(SaveFormTest, StatusBarStartsWithItsInitialTexts) {
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kSize), L"宽高");
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kColor), L"R： G： B：");
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kPosition), L"坐标：xy");
}

TEST_F(SaveFormTest, ViewMenuTogglesHideAndShowTheControls) {
  form_.LoadPicture(Pattern(64, 48));
  form_.ShowEditor(false);
  EXPECT_TRUE(form_.MenuItemChecked(EditorCommand::kStatusBar));
  Command(EditorCommand::kStatusBar);
  EXPECT_FALSE(IsWindowVisible(form_.StatusBar()));
  EXPECT_FALSE(form_.MenuItemChecked(EditorCommand::kStatusBar));
  Command(EditorCommand::kStatusBar);
  EXPECT_TRUE(IsWindowVisible(form_.StatusBar()));

  Command(EditorCommand::kToolsPanel);
  EXPECT_FALSE(IsWindowVisible(form_.ToolsPanelHandle()));
  Command(EditorCommand::kToolsPanel);
  EXPECT_TRUE(IsWindowVisible(form_.ToolsPanelHandle()));

  Command(EditorCommand::kToolBarButtons);
  EXPECT_FALSE(form_.ToolButtonVisible());
  EXPECT_FALSE(form_.MenuItemEnabled(EditorCommand::kToolBarText));
  Command(EditorCommand::kToolBarButtons);
  EXPECT_TRUE(form_.ToolButtonVisible());
  EXPECT_TRUE(form_.MenuItemEnabled(EditorCommand::kToolBarText));
}

TEST_F(SaveFormTest, ToolbarHasTenButtonsAndThreeSeparators) {
  EXPECT_EQ(SendMessageW(form_.ToolBar(), TB_BUTTONCOUNT, 0, 0), 13);
  const int separators_after[] = {1, 3, 6};
  int index = 0;
  int seen = 0;
  for (int i = 0; i < 13; ++i) {
    TBBUTTON b{};
    SendMessageW(form_.ToolBar(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & BTNS_SEP) {
      ASSERT_LT(seen, 3);
      EXPECT_EQ(index - 1, separators_after[seen]);
      ++seen;
    } else {
      EXPECT_EQ(b.idCommand, ToolbarRows(EditorCommands())[static_cast<std::size_t>(index)]->id);
      ++index;
    }
  }
  EXPECT_EQ(seen, 3);
}

TEST_F(SaveFormTest, ToolButtonsFormOneGroupAndSwitchPages) {
  EXPECT_EQ(form_.ShownPage(), ToolPage::kTextTool);
  EXPECT_EQ(SendMessageW(form_.ToolButtonHandle(Tool::kHandle), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(form_.ToolButtonHandle(Tool::kRectangular), BM_CLICK, 0, 0);
  EXPECT_EQ(form_.ShownPage(), ToolPage::kLineAndSoOn);
  EXPECT_EQ(SendMessageW(form_.ToolButtonHandle(Tool::kRectangular), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(form_.ToolButtonHandle(Tool::kHandle), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(form_.ToolButtonHandle(Tool::kRectangular), BM_CLICK, 0, 0);
  EXPECT_EQ(form_.Tools().Pressed(), std::nullopt);
  Command(EditorCommand::kArbitraryDegrees);
  EXPECT_EQ(form_.ShownPage(), ToolPage::kArbitraryDegrees);
}

TEST_F(SaveFormTest, ColourDialogSetsTheSwatchOnlyWhenConfirmed) {
  std::vector<COLORREF> opened_with;
  std::optional<COLORREF> answer = RGB(10, 20, 30);
  form_.System().color_dialog = [&](HWND, COLORREF initial) {
    opened_with.push_back(initial);
    return answer;
  };
  form_.ForeGroundColorMouseDown();
  EXPECT_EQ(form_.Document().ForegroundColor(), MakeColor(10, 20, 30));
  EXPECT_EQ(form_.Document().PenColor(), MakeColor(10, 20, 30));
  answer.reset();
  form_.BackGroundColorMouseDown();
  EXPECT_EQ(form_.Document().BackgroundColor(), MakeColor(255, 255, 255));
  // The one dialog opens on the last colour confirmed in it.
  ASSERT_EQ(opened_with.size(), 2u);
  EXPECT_EQ(opened_with[1], RGB(10, 20, 30));
  form_.ExchangeColorBtnClick();
  EXPECT_EQ(form_.Document().ForegroundColor(), MakeColor(255, 255, 255));
  EXPECT_EQ(form_.Document().PenColor(), MakeColor(10, 20, 30));
}

TEST_F(SaveFormTest, WheelScrollsTheViewOneLine) {
  form_.LoadPicture(Pattern(1600, 1600));
  form_.ShowEditor(false);
  ASSERT_TRUE(form_.Document().Bars().vertical);
  SendMessageW(form_.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(form_.Document().View().ScrollPosition().y, ScrollView::kLineStep);
  SendMessageW(form_.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(form_.Document().View().ScrollPosition().y, 0);
}

TEST_F(SaveFormTest, RegionLoadSizesTheWindowFromTheDrag) {
  POINT cursor;
  GetCursorPos(&cursor);
  const Raster screen = Pattern(cursor.x + 300, cursor.y + 300);
  form_.LoadRegion(screen, POINT{cursor.x + 200, cursor.y + 150});
  EXPECT_EQ(form_.Picture().Width(), 200);
  EXPECT_EQ(form_.Picture().Height(), 150);
  RECT window;
  GetWindowRect(form_.hwnd(), &window);
  EXPECT_EQ(window.right - window.left, 200 + 55 + 129);
  EXPECT_EQ(window.bottom - window.top, 150 + 62 + 3 * 19 + 75);
}

struct KeyCase {
  UINT message;
  WPARAM key;
  bool ctrl, shift, alt;
  std::optional<EditorCommand> command;
};

// Receives what the editor's shortcut table sends, so each key's command
// is seen without running it.
LRESULT CALLBACK RecordCommand(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COMMAND) {
    *reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) = LOWORD(wparam);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

TEST_F(SaveFormTest, KeyMessagesMapToTheirCommands) {
  ASSERT_NE(form_.Accelerators(), nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = RecordCommand;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KsvTestShortcutRecorder";
  RegisterClassW(&wc);
  HWND recorder = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
  ASSERT_NE(recorder, nullptr);
  int seen = 0;
  SetWindowLongPtrW(recorder, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
  const KeyCase cases[] = {
      {WM_KEYDOWN, 'Z', true, false, false, EditorCommand::kUndo},
      {WM_KEYDOWN, 'Z', true, true, false, EditorCommand::kRedo},
      {WM_KEYDOWN, 'C', true, false, false, EditorCommand::kCopyToClipboard},
      {WM_KEYDOWN, 'V', true, false, false, EditorCommand::kVerticalMirror},
      {WM_SYSKEYDOWN, 'W', true, false, true, EditorCommand::kSetWallPaper},
      {WM_KEYDOWN, 'Z', false, false, false, std::nullopt},
      {WM_KEYDOWN, 'B', true, false, false, std::nullopt},
      {WM_CHAR, 'Z', true, false, false, std::nullopt},
      {WM_KEYUP, 'Z', true, false, false, std::nullopt},
      {WM_KEYDOWN, VK_F1, true, false, false, std::nullopt},
  };
  for (const KeyCase& c : cases) {
    std::vector<int> down;
    std::vector<int> up;
    for (const auto& [held, keys] : {std::pair{c.ctrl, std::vector<int>{VK_CONTROL, VK_LCONTROL}},
                                     std::pair{c.shift, std::vector<int>{VK_SHIFT, VK_LSHIFT}},
                                     std::pair{c.alt, std::vector<int>{VK_MENU, VK_LMENU}}})
      (held ? down : up).insert((held ? down : up).end(), keys.begin(), keys.end());
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE state[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(state));
    for (int k : up) state[k] = 0;
    for (int k : down) state[k] = 0x80;
    SetKeyboardState(state);
    seen = 0;
    MSG msg{recorder, c.message, c.key, c.alt ? 0x20000001 : 1, 0, {}};
    const bool taken = TranslateAcceleratorW(recorder, form_.Accelerators(), &msg) != 0;
    SetKeyboardState(saved);
    EXPECT_EQ(taken, c.command.has_value()) << c.key;
    EXPECT_EQ(seen, c.command ? CommandId(*c.command) : 0) << c.key;
  }
  DestroyWindow(recorder);
}

TEST_F(SaveFormTest, CaptionsMenuHidesTheToolbarCaptions) {
  EXPECT_EQ(SendMessageW(form_.ToolBar(), TB_GETTEXTROWS, 0, 0), 1);
  Command(EditorCommand::kToolBarText);
  EXPECT_FALSE(form_.MenuItemChecked(EditorCommand::kToolBarText));
  EXPECT_EQ(SendMessageW(form_.ToolBar(), TB_GETTEXTROWS, 0, 0), 0);
  Command(EditorCommand::kToolBarText);
  EXPECT_EQ(SendMessageW(form_.ToolBar(), TB_GETTEXTROWS, 0, 0), 1);
}

TEST_F(SaveFormTest, TimingTextReachesTheFourthPanel) {
  form_.SetStatusText(StatusPanel::kTiming, "用时 12 毫秒");
  EXPECT_EQ(form_.StatusBarText(StatusPanel::kTiming), L"用时 12 毫秒");
}

}  // namespace
}  // namespace ksv::editor
