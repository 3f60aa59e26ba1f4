#include "app/main_form_model.h"

#include <algorithm>

#include "../../resources/resource_main.h"

namespace ksv::app {

namespace {

// Menu images: 0 capture, 1 quit, 2-6 the five modes, 7 mail, 8 home page,
// 9 update history. The shortcuts of the tray menu are shown only: they
// would take Ctrl+A from the option pages' edits.
constexpr CommandRow kCommands[] = {
    {IDM_BEGINIP, "BeginIp", "开始截图", Ctrl('B'), kCaptureMenu, kNoFlags, 0},
    {IDM_QUIT, "Quit", "退出", {}, kCaptureMenu, kSeparatorBefore, 1},
    {IDM_ACTIVEWINDOW, "ActiveWindow", "活动窗口", Alt('A'), kRangeMenu, kRadioItem, 2},
    {IDM_FULLSCREEN, "FullScreen", "整个屏幕", Alt('F'), kRangeMenu, kRadioItem, 3},
    {IDM_REGION, "Region", "选定区域", Alt('S'), kRangeMenu, kRadioItem, 4},
    {IDM_FIXREGION, "FixRegion", "固定区域", Alt('R'), kRangeMenu, kRadioItem, 5},
    {IDM_AXTIVEOBJECT, "AxtiveObject", "选定控件", Alt('O'), kRangeMenu, kRadioItem, 6},
    // Its check mark is the cursor switch, so it carries no picture.
    {IDM_INCLUDECURSOR, "IncludeCursor", "包含鼠标", CtrlAlt('M'), kRangeMenu, kSeparatorBefore | kCheckItem,
     -1},
    {IDM_MAIL, "MailMenu", "联系我们", Ctrl('M'), kHelpMenu, kNoFlags, 7},
    {IDM_HOME, "HomeMenu", "官方网站", {}, kHelpMenu, kNoFlags, 8},
    {IDM_US, "US", "更新历史", Ctrl('H'), kHelpMenu, kNoFlags, 9},
    {IDM_OPENMAIN, "OpenMainMenu", "打开主程序", Ctrl('O'), kTrayMenu, kDefaultItem, 4},
    {IDM_ABOUT, "AboutMenu", "关于我们", Ctrl('A'), kTrayMenu, kSeparatorBefore, 9},
    {IDM_CLOSE, "CloseMenu", "退出", {}, kTrayMenu, kNoFlags, 1},
};

constexpr PanelButton kPanelButtons[] = {
    {IDM_ACTIVEWINDOW, "ActiveWindowBtn", "活动窗口", "截取目前活动窗口", 0},
    {IDM_FULLSCREEN, "FullScreenBtn", "整个屏幕", "截取当前整个屏幕", 1},
    {IDM_REGION, "RegionBtn", "选定区域", "根据自己意愿拖动鼠标来完成截图", 2},
    {IDM_FIXREGION, "FixRegionBtn", "固定区域", "截取固定大小的图片", 3},
    {IDM_AXTIVEOBJECT, "AxtiveObjectBtn", "选定控件", "截取选定的控件", 4},
    {IDC_CAMERABTN, "CameraBtn", "摄像头", "", 5},
    {IDM_BEGINIP, "CutBtn", "捕捉", "点击截图", 6},
};

using K = ControlKind;
constexpr PageControl kPageControls[] = {
    // 常规
    {IDC_OVERSOUND, 0, K::CheckBox, "OverSound", "捕捉完成时自动播放声音", {10, 10, 320, 22}},
    {IDC_INCLUDEMOUSE, 0, K::CheckBox, "IncludeMouse", "捕捉图像时，同时捕捉鼠标", {10, 38, 320, 22}},
    {IDC_DELAYTIME, 0, K::CheckBox, "DelayTime", "捕捉图像前的延迟时间(秒)：", {10, 66, 200, 22}},
    {IDC_DELAYTIMECAP, 0, K::Edit, "DelayTimeCap", "1", {212, 66, 56, 22}},
    {IDC_DELAYTIMEUPDOWN, 0, K::UpDown, "DelayTimeUpDown", "", {}},
    {IDC_HIDEMAINFORM, 0, K::CheckBox, "HideMainForm", "捕捉图像时，自动隐藏主窗口", {10, 94, 320, 22}},
    {IDC_INTROD, 0, K::Label, "Introd", "固定区域设置：", {10, 128, 200, 20}},
    {IDC_WIDTHLABEL, 0, K::Label, "WidthLabel", "宽度：", {24, 155, 44, 20}},
    {IDC_WIDTHVALUE, 0, K::NumberEdit, "WidthValue", "600", {70, 152, 84, 22}},
    {IDC_WIDTHUPDOWN, 0, K::UpDown, "WidthUpDown", "", {}},
    {IDC_HEIGHTLABEL, 0, K::Label, "HeightLabel", "高度：", {176, 155, 44, 20}},
    {IDC_HEIGHTVALUE, 0, K::NumberEdit, "HeightValue", "400", {222, 152, 84, 22}},
    {IDC_HEIGHTUPDOWN, 0, K::UpDown, "HeightUpDown", "", {}},
    {IDC_CONVENTIONALOKBTN, 0, K::Button, "ConventionalOKBtn", "确定", {256, 204, 80, 26}},
    // 存储
    {IDC_SAVEGROUPBOX, 1, K::GroupBox, "SaveGroupBox", "图像命名及保存规则", {6, 2, 334, 124}},
    {IDC_NAMEASTIME,
     1,
     K::RadioButton,
     "NameASTime",
     "根据时间自动命名，如2008-10-01_10:10:10",
     {16, 22, 318, 20},
     true,
     IDC_SAVEGROUPBOX},
    {IDC_NAMEASTEMP,
     1,
     K::RadioButton,
     "NameASTemp",
     "根据文件名模板自动命名，如截图",
     {16, 44, 318, 20},
     true,
     IDC_SAVEGROUPBOX},
    {IDC_FNAMETEMPLABEL, 1, K::Label, "FNameTempLabel", "文件名模板", {16, 73, 82, 20}},
    {IDC_FNAMETEMP, 1, K::Edit, "FNameTemp", "截图", {100, 70, 232, 22}},
    {IDC_SAVEDIRLABEL, 1, K::Label, "SaveDirLabel", "图像保存目录", {16, 99, 82, 20}},
    {IDC_SAVEDIR, 1, K::Edit, "SaveDir", "", {100, 96, 172, 22}},
    {IDC_SAVEDIRBTN, 1, K::Button, "SaveDirBtn", "浏览", {276, 95, 56, 24}},
    {IDC_PICFORMATRADIOGROUP, 1, K::GroupBox, "PicFormatRadioGroup", "保存图片格式", {6, 130, 334, 46}},
    {IDC_PICFORMAT_BMP,
     1,
     K::RadioButton,
     "PicFormatBmp",
     "bmp",
     {20, 150, 70, 20},
     true,
     IDC_PICFORMATRADIOGROUP},
    {IDC_PICFORMAT_JPG,
     1,
     K::RadioButton,
     "PicFormatJpg",
     "jpg",
     {100, 150, 70, 20},
     true,
     IDC_PICFORMATRADIOGROUP},
    {IDC_PICFORMAT_GIF,
     1,
     K::RadioButton,
     "PicFormatGif",
     "gif",
     {180, 150, 70, 20},
     true,
     IDC_PICFORMATRADIOGROUP},
    {IDC_PICFORMAT_TIF,
     1,
     K::RadioButton,
     "PicFormatTif",
     "tif",
     {260, 150, 70, 20},
     true,
     IDC_PICFORMATRADIOGROUP},
    {IDC_JPGCOMP, 1, K::Label, "JpgComp", "压缩比：80%", {10, 186, 100, 20}},
    {IDC_JPGCOMPTRACKBAR, 1, K::TrackBar, "JpgCompTrackBar", "", {110, 180, 226, 28}},
    {IDC_SAVEOKBTN, 1, K::Button, "SaveOKBtn", "确定", {256, 210, 80, 26}},
    // 高级
    {IDC_AUTOSTART, 2, K::CheckBox, "AutoStart", "系统启动时，自动运行万象快拍宗师", {10, 10, 326, 22}},
    {IDC_STARTTOTRAY,
     2,
     K::CheckBox,
     "StartToTray",
     "万象快拍宗师启动时，自动最小化到托盘",
     {10, 36, 326, 22},
     false},
    {IDC_QUITMAIN, 2, K::GroupBox, "QuitMain", "点击关闭按钮时", {6, 64, 334, 50}},
    {IDC_QUITMAIN_TRAY,
     2,
     K::RadioButton,
     "QuitMainTray",
     "最小化到托盘",
     {20, 86, 150, 20},
     true,
     IDC_QUITMAIN},
    {IDC_QUITMAIN_QUIT,
     2,
     K::RadioButton,
     "QuitMainQuit",
     "退出主程序",
     {180, 86, 150, 20},
     true,
     IDC_QUITMAIN},
    {IDC_HIGHBTN, 2, K::Button, "HighBtn", "确定", {256, 204, 80, 26}},
};

}  // namespace

std::span<const CommandRow> MainCommands() { return kCommands; }

std::span<const PanelButton> PanelButtons() { return kPanelButtons; }

int CommandOfMode(CaptureMode mode) {
  switch (mode) {
    case CaptureMode::ActiveWindow:
      return IDM_ACTIVEWINDOW;
    case CaptureMode::FullScreen:
      return IDM_FULLSCREEN;
    case CaptureMode::Region:
      return IDM_REGION;
    case CaptureMode::FixRegion:
      return IDM_FIXREGION;
    case CaptureMode::AxtiveObject:
      return IDM_AXTIVEOBJECT;
  }
  return IDM_REGION;
}

std::optional<CaptureMode> ModeOfCommand(int command) {
  for (const CaptureMode m : kAllModes)
    if (CommandOfMode(m) == command) return m;
  return std::nullopt;
}

int ScaleLength(int length, int dpi) {
  if (dpi <= 0) return length;
  const long long scaled = static_cast<long long>(length) * dpi;
  // Halves away from zero, as the platform's MulDiv does.
  return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                      : (scaled - kDesignDpi / 2) / kDesignDpi);
}

Box ScaleRect(const Box& r, int dpi) {
  // Edges are scaled, not sizes, so neighbours that touch keep touching.
  const int left = ScaleLength(r.left, dpi);
  const int top = ScaleLength(r.top, dpi);
  return {left, top, ScaleLength(r.right(), dpi) - left, ScaleLength(r.bottom(), dpi) - top};
}

Box CenteredOnScreen(int screen_width, int screen_height, int width, int height) {
  // A window larger than the screen keeps its caption reachable.
  return {std::max(0, (screen_width - width) / 2), std::max(0, (screen_height - height) / 2), width, height};
}

MainLayout LayoutMainForm(int client_width, int client_height, int status_bar_height) {
  constexpr int kMargin = 6;
  constexpr int kButtonHeight = 34;
  constexpr int kStep = 36;
  constexpr int kBevelGap = 10;
  MainLayout layout;
  const int button_width = kPanelWidth - 2 * kMargin;
  int y = kMargin;
  for (int i = 0; i < kPanelImageCount; ++i) {
    if (i == kPanelImageCount - 1) {
      // The separator line sits halfway between the camera and the capture
      // button.
      layout.bevel = {kMargin, y + (kBevelGap - kStep + kButtonHeight) / 2, button_width, 2};
      y += kBevelGap;
    }
    layout.buttons[i] = {kMargin, y, button_width, kButtonHeight};
    y += kStep;
  }
  const int left = kPanelWidth + 4;
  layout.pages = {left, 4, std::max(0, client_width - left - 4),
                  std::max(0, client_height - status_bar_height - 8)};
  return layout;
}

std::span<const PageControl> PageControls() { return kPageControls; }

const PageControl* FindPageControl(int id) {
  for (const PageControl& c : kPageControls)
    if (c.id == id) return &c;
  return nullptr;
}

bool HasLabelColour(int id) {
  return id == IDC_INTROD || id == IDC_JPGCOMP || id == IDC_WIDTHLABEL || id == IDC_HEIGHTLABEL;
}

bool HasEditBackColour(int id) {
  return id == IDC_DELAYTIMECAP || id == IDC_WIDTHVALUE || id == IDC_HEIGHTVALUE;
}

bool ShowMainWindowAtStart(bool loading_failed, const std::optional<std::u16string>& first_argument) {
  return loading_failed || !first_argument.has_value();
}

bool IsVistaOrLater(unsigned major_version) { return major_version >= 6; }

}  // namespace ksv::app
