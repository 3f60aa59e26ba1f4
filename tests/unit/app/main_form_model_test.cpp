#include "app/main_form_model.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "../../../resources/resource_main.h"

namespace ksv::app {
namespace {

// The menu bar's items, top menu by top menu, as the window shows them.
std::vector<const CommandRow*> MenuBarItems() {
  std::vector<const CommandRow*> items;
  for (std::string_view top : kMainMenuBar)
    for (const MenuNode& n : MenuTree(MainCommands(), top))
      if (n.kind == MenuNode::Kind::kItem) items.push_back(n.row);
  return items;
}

TEST(MainFormModelTest, MainMenuHasItsItemsCaptionsAndShortcuts) {
  struct Expected {
    int id;
    const char* text;
  } expected[] = {
      {IDM_BEGINIP, "开始截图\tCtrl+B"},     {IDM_QUIT, "退出"},
      {IDM_ACTIVEWINDOW, "活动窗口\tAlt+A"}, {IDM_FULLSCREEN, "整个屏幕\tAlt+F"},
      {IDM_REGION, "选定区域\tAlt+S"},       {IDM_FIXREGION, "固定区域\tAlt+R"},
      {IDM_AXTIVEOBJECT, "选定控件\tAlt+O"}, {IDM_INCLUDECURSOR, "包含鼠标\tCtrl+Alt+M"},
      {IDM_MAIL, "联系我们\tCtrl+M"},        {IDM_HOME, "官方网站"},
      {IDM_US, "更新历史\tCtrl+H"},
  };
  const auto items = MenuBarItems();
  ASSERT_EQ(items.size(), std::size(expected));
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->id, expected[i].id);
    EXPECT_EQ(MenuItemText(*items[i]), expected[i].text);
  }
  ASSERT_EQ(std::size(kMainMenuBar), 3u);
  EXPECT_EQ(kMainMenuBar[0], "截图(&B)");
  EXPECT_EQ(kMainMenuBar[1], "截图范围(&C)");
  EXPECT_EQ(kMainMenuBar[2], "帮助(&H)");
  // The separators: before 退出 and before 包含鼠标.
  const auto capture = MenuTree(MainCommands(), kCaptureMenu);
  ASSERT_EQ(capture.size(), 3u);
  EXPECT_EQ(capture[1].kind, MenuNode::Kind::kSeparator);
  const auto range = MenuTree(MainCommands(), kRangeMenu);
  ASSERT_EQ(range.size(), 7u);
  EXPECT_EQ(range[5].kind, MenuNode::Kind::kSeparator);
}

TEST(MainFormModelTest, TrayMenuOpensAboutsAndQuits) {
  const auto tray = MenuTree(MainCommands(), kTrayMenu);
  ASSERT_EQ(tray.size(), 4u);
  EXPECT_EQ(MenuItemText(*tray[0].row), "打开主程序\tCtrl+O");
  EXPECT_TRUE(tray[0].row->Has(kDefaultItem));
  EXPECT_EQ(tray[1].kind, MenuNode::Kind::kSeparator);
  EXPECT_EQ(MenuItemText(*tray[2].row), "关于我们\tCtrl+A");
  EXPECT_EQ(MenuItemText(*tray[3].row), "退出");
}

TEST(MainFormModelTest, ShortcutsAreUniqueAndImagesInRange) {
  std::set<std::pair<unsigned, char>> seen;
  std::set<int> ids;
  for (const CommandRow& e : MainCommands()) {
    EXPECT_TRUE(ids.insert(e.id).second) << e.name;
    EXPECT_GE(e.image, -1);
    EXPECT_LT(e.image, kMenuImageCount);
    if (!e.shortcut.empty()) {
      EXPECT_TRUE(seen.insert({e.shortcut.modifiers, e.shortcut.key}).second) << e.name;
      EXPECT_GE(e.shortcut.key, 'A');
      EXPECT_LE(e.shortcut.key, 'Z');
    }
  }
  // Every menu picture is used by the main menu.
  std::set<int> images;
  for (const CommandRow* e : MenuBarItems())
    if (e->image >= 0) images.insert(e->image);
  EXPECT_EQ(images.size(), static_cast<std::size_t>(kMenuImageCount));
}

TEST(MainFormModelTest, OnlyTheMenuBarsShortcutsAreLive) {
  // The tray menu's Ctrl+A stays with the option pages' edits.
  EXPECT_EQ(CommandForShortcut(MainCommands(), kMainMenuBar, Ctrl('A')), std::nullopt);
  EXPECT_EQ(CommandForShortcut(MainCommands(), kMainMenuBar, Ctrl('O')), std::nullopt);
  EXPECT_EQ(CommandForShortcut(MainCommands(), kMainMenuBar, Alt('r')), IDM_FIXREGION);
  EXPECT_EQ(CommandForShortcut(MainCommands(), kMainMenuBar, CtrlAlt('M')), IDM_INCLUDECURSOR);
  EXPECT_EQ(CommandForShortcut(MainCommands(), kMainMenuBar, Ctrl('M')), IDM_MAIL);
  EXPECT_EQ(ShortcutRows(MainCommands(), kMainMenuBar).size(), 9u);
}

TEST(MainFormModelTest, ModeItemsAreRadioItemsAndTheCursorACheckItem) {
  for (const CaptureMode m : kAllModes)
    EXPECT_TRUE(FindCommand(MainCommands(), CommandOfMode(m))->Has(kRadioItem));
  EXPECT_TRUE(FindCommand(MainCommands(), IDM_INCLUDECURSOR)->Has(kCheckItem));
}

TEST(MainFormModelTest, ShortcutTextNamesModifiersInOrder) {
  EXPECT_EQ(ShortcutText({}), "");
  EXPECT_EQ(ShortcutText({kCtrl, 'B'}), "Ctrl+B");
  EXPECT_EQ(ShortcutText({kAlt, 'R'}), "Alt+R");
  EXPECT_EQ(ShortcutText({kCtrl | kAlt, 'M'}), "Ctrl+Alt+M");
  EXPECT_EQ(ShortcutText({kCtrl | kShift | kAlt, 'Z'}), "Ctrl+Shift+Alt+Z");
}

TEST(MainFormModelTest, PanelButtonsInOrderWithCaptionsHintsAndImages) {
  const auto buttons = PanelButtons();
  ASSERT_EQ(buttons.size(), static_cast<std::size_t>(kPanelImageCount));
  const char* captions[] = {"活动窗口", "整个屏幕", "选定区域", "固定区域", "选定控件", "摄像头", "捕捉"};
  for (int i = 0; i < kPanelImageCount; ++i) {
    EXPECT_EQ(buttons[i].caption, captions[i]);
    EXPECT_EQ(buttons[i].image, i);
  }
  EXPECT_EQ(buttons[2].hint, "根据自己意愿拖动鼠标来完成截图");
  EXPECT_TRUE(buttons[5].hint.empty());
  EXPECT_EQ(buttons[6].id, IDM_BEGINIP);
}

TEST(MainFormModelTest, ModesAndCommandsMapBothWays) {
  std::set<int> commands;
  for (const CaptureMode m : kAllModes) {
    const int c = CommandOfMode(m);
    EXPECT_TRUE(commands.insert(c).second);
    EXPECT_EQ(ModeOfCommand(c), m);
    // The mode button carries the same command.
    EXPECT_EQ(PanelButtons()[static_cast<int>(m)].id, c);
  }
  EXPECT_FALSE(ModeOfCommand(IDM_QUIT));
  EXPECT_FALSE(ModeOfCommand(IDM_INCLUDECURSOR));
}

TEST(MainFormModelTest, CentringKeepsTheWindowOnScreen) {
  EXPECT_EQ(CenteredOnScreen(1280, 800, 502, 360), (Box{389, 220, 502, 360}));
  EXPECT_EQ(CenteredOnScreen(1281, 801, 502, 360), (Box{389, 220, 502, 360}));
  EXPECT_EQ(CenteredOnScreen(400, 300, 502, 360), (Box{0, 0, 502, 360}));
}

TEST(MainFormModelTest, PanelButtonsStackInsideThePanelAboveTheStatusBar) {
  for (const int status : {19, 22, 26}) {
    const MainLayout l = LayoutMainForm(kMainClientWidth, kMainClientHeight, status);
    const Box panel{0, 0, kPanelWidth, kMainClientHeight - status};
    for (int i = 0; i < kPanelImageCount; ++i) {
      SCOPED_TRACE(i);
      EXPECT_TRUE(Contains(panel, l.buttons[i]));
      EXPECT_GE(l.buttons[i].height, kPanelImageSize);
      if (i > 0) {
        EXPECT_GT(l.buttons[i].top, l.buttons[i - 1].bottom() - 1);
      }
      EXPECT_FALSE(Overlaps(l.buttons[i], l.bevel));
      EXPECT_FALSE(Overlaps(l.buttons[i], l.pages));
    }
    // The separator lies between the camera and the capture button.
    EXPECT_GE(l.bevel.top, l.buttons[5].bottom());
    EXPECT_LE(l.bevel.bottom(), l.buttons[6].top);
    EXPECT_TRUE(Contains({0, 0, kMainClientWidth, kMainClientHeight - status}, l.pages));
    EXPECT_GE(l.pages.left, kPanelWidth);
    EXPECT_GE(l.pages.width, kPageAreaWidth - 4);
  }
}

TEST(MainFormModelTest, PageControlsFitTheirPageWithoutOverlapping) {
  const Box area{0, 0, kPageAreaWidth, kPageAreaHeight};
  std::set<int> ids;
  const auto controls = PageControls();
  for (const PageControl& c : controls) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(ids.insert(c.id).second);
    EXPECT_EQ(FindPageControl(c.id), &c);
    if (c.kind == ControlKind::UpDown) continue;  // attached to its edit
    EXPECT_TRUE(Contains(area, c.rect));
    for (const PageControl& o : controls) {
      if (&o == &c || o.page != c.page || o.kind == ControlKind::UpDown || !c.visible || !o.visible) continue;
      // Group boxes hold controls; anything else stands alone.
      if (c.kind == ControlKind::GroupBox || o.kind == ControlKind::GroupBox) {
        if (o.group == c.id || c.group == o.id) {
          EXPECT_TRUE(Contains(c.kind == ControlKind::GroupBox ? c.rect : o.rect,
                               c.kind == ControlKind::GroupBox ? o.rect : c.rect));
        }
        continue;
      }
      EXPECT_FALSE(Overlaps(c.rect, o.rect)) << o.name;
    }
  }
}

TEST(MainFormModelTest, PagesListTheirControlsTopToBottom) {
  const int general[] = {IDC_OVERSOUND, IDC_INCLUDEMOUSE, IDC_DELAYTIME,        IDC_HIDEMAINFORM,
                         IDC_INTROD,    IDC_WIDTHVALUE,   IDC_CONVENTIONALOKBTN};
  const int save[] = {IDC_SAVEGROUPBOX, IDC_NAMEASTIME,          IDC_NAMEASTEMP, IDC_FNAMETEMP,
                      IDC_SAVEDIR,      IDC_PICFORMATRADIOGROUP, IDC_JPGCOMP,    IDC_SAVEOKBTN};
  const int high[] = {IDC_AUTOSTART, IDC_QUITMAIN, IDC_HIGHBTN};
  for (const auto& order :
       {std::span<const int>(general), std::span<const int>(save), std::span<const int>(high)}) {
    for (std::size_t i = 1; i < order.size(); ++i)
      EXPECT_LT(FindPageControl(order[i - 1])->rect.top, FindPageControl(order[i])->rect.top) << order[i];
  }
  EXPECT_FALSE(FindPageControl(IDC_STARTTOTRAY)->visible);
  EXPECT_EQ(FindPageControl(IDC_JPGCOMP)->caption, "压缩比：80%");
  EXPECT_EQ(FindPageControl(IDC_DELAYTIMECAP)->caption, "1");
  EXPECT_EQ(FindPageControl(IDC_FNAMETEMP)->caption, "截图");
}

TEST(MainFormModelTest, LengthsAndRectsScaleWithTheScreensDpi) {
  struct Case {
    int length, dpi, scaled;
  } cases[] = {{496, 96, 496}, {496, 120, 620}, {496, 144, 744}, {306, 144, 459},
               {5, 120, 6},    {1, 144, 2},     {-5, 144, -8},   {7, 0, 7}};
  for (const Case& c : cases) EXPECT_EQ(ScaleLength(c.length, c.dpi), c.scaled) << c.length << "@" << c.dpi;
  EXPECT_EQ(ScaleRect({10, 20, 30, 40}, 96), (Box{10, 20, 30, 40}));
  EXPECT_EQ(ScaleRect({10, 20, 30, 40}, 144), (Box{15, 30, 45, 60}));
  // Neighbours that touch at 96 dpi still touch and do not overlap.
  for (const int dpi : {96, 120, 125, 144, 168, 192}) {
    const Box a = ScaleRect({6, 6, 125, 33}, dpi);
    const Box b = ScaleRect({6, 39, 125, 33}, dpi);
    EXPECT_EQ(a.bottom(), b.top) << dpi;
    EXPECT_FALSE(Overlaps(a, b)) << dpi;
  }
}

TEST(MainFormModelTest, StartUpVisibility) {
  struct Case {
    bool failed;
    std::optional<std::u16string> arg;
    bool shown;
  } cases[] = {
      {false, std::nullopt, true}, {false, u"s", false}, {false, u"S", false},       {false, u"-x", false},
      {false, u"", false},         {true, u"s", true},   {true, std::nullopt, true},
  };
  for (const Case& c : cases) EXPECT_EQ(ShowMainWindowAtStart(c.failed, c.arg), c.shown);
}

TEST(MainFormModelTest, VistaOrLater) {
  EXPECT_FALSE(IsVistaOrLater(5));
  EXPECT_TRUE(IsVistaOrLater(6));
  EXPECT_TRUE(IsVistaOrLater(10));
}

}  // namespace
}  // namespace ksv::app
