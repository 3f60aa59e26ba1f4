#include "editor/editor_commands.h"

#include "editor/editor_document.h"

namespace ksv::editor {

namespace {

using C = EditorCommand;

constexpr std::string_view kFile = kEditorMenuBar[0];
constexpr std::string_view kEdit = kEditorMenuBar[1];
constexpr std::string_view kView = kEditorMenuBar[2];
constexpr std::string_view kViewToolBar = "视图(&V)/工具栏";
constexpr std::string_view kImage = kEditorMenuBar[3];
constexpr std::string_view kRotate = "图像(&P)/旋转";
constexpr std::string_view kMirror = "图像(&P)/镜像";
constexpr std::string_view kFilter = kEditorMenuBar[4];
constexpr std::string_view kTools = kEditorMenuBar[5];
constexpr std::string_view kHelp = kEditorMenuBar[6];

constexpr unsigned kSep = kSeparatorBefore;
constexpr unsigned kCheck = kCheckItem;
constexpr unsigned kToolSep = kToolSeparatorAfter;

// A menu item.
constexpr CommandRow Item(C c, std::string_view name, std::string_view caption, Shortcut keys,
                          std::string_view menu, unsigned flags = kNoFlags) {
  return {CommandId(c), name, caption, keys, menu, flags};
}
// A menu item that is on the toolbar too; its picture is the toolbar's.
constexpr CommandRow Both(C c, std::string_view name, std::string_view caption, Shortcut keys,
                          std::string_view menu, unsigned flags, int slot, std::string_view tool_caption,
                          std::string_view hint) {
  return {CommandId(c), name, caption, keys, menu, flags, -1, slot, tool_caption, hint};
}

constexpr CommandRow kRows[] = {
    Item(C::kOpenFolder, "OpenMenu", "打开捕捉图像目录", Ctrl('O'), kFile),
    Both(C::kSaveAs, "SaveASMenu", "图像另存为", Ctrl('S'), kFile, kSep, 2, "另存为", "图像另存为"),
    Both(C::kCopyToClipboard, "CopyToClipMenu", "复制到剪贴板", Ctrl('C'), kFile, kToolSep, 3, "剪贴板",
         "复制图像到剪贴板"),
    Both(C::kClose, "CloseMenu", "退出", {}, kFile, kSep | kToolSep, 1, "取消", "取消当前截取的图像"),
    Both(C::kSave, "SaveToolButton", "完成", {}, {}, kNoFlags, 0, "完成", "保存图像到指定目录"),
    Item(C::kUndo, "UnDoMenu", "撤销", Ctrl('Z'), kEdit),
    Item(C::kRedo, "ReDoMenu", "重做", CtrlShift('Z'), kEdit),
    Item(C::kToolBarButtons, "ToolBarBtnMenu", "工具栏按钮", {}, kViewToolBar, kCheck),
    Item(C::kToolBarText, "ToolBarTextMenu", "文字标签", {}, kViewToolBar, kCheck),
    Item(C::kToolsPanel, "ToolsStatusMenu", "绘图工具栏", {}, kView, kCheck),
    Item(C::kStatusBar, "StatusMenu", "状态栏", {}, kView, kCheck),
    Item(C::kSize, "SizeMenu", "尺寸", {}, {}),
    Both(C::kLevelFlip, "LevelFilpMenu", "水平翻转", CtrlAlt('L'), kImage, kNoFlags, 5, "水平翻转",
         "水平翻转图像"),
    Both(C::kVerticalFlip, "VerticalFilpMenu", "垂直翻转", CtrlAlt('V'), kImage, kToolSep, 6, "垂直翻转",
         "垂直翻转图像"),
    Both(C::kDegrees90, "Degrees90Menu", "90度角", Ctrl('D'), kRotate, kSep, 4, "90度旋转",
         "图像顺时针旋转90度"),
    Item(C::kDegrees180, "Degrees180Menu", "180度角", {}, kRotate),
    Item(C::kDegrees270, "Degrees270Menu", "270度角", {}, kRotate),
    Item(C::kArbitraryDegrees, "ArbitraryDegreesMenu", "任意角度", {}, kRotate, kSep),
    Item(C::kLevelMirror, "LevelMirrorMenu", "水平镜像", Ctrl('L'), kMirror),
    Item(C::kVerticalMirror, "VerticalMirrorMenu", "垂直镜像", Ctrl('V'), kMirror),
    Item(C::kSymmetricalMirror, "SymmetricalMirrorMenu", "对称镜像", {}, kMirror),
    Item(C::kAntiColor, "AntiColorMenu", "反色", CtrlAlt('O'), kImage, kSep),
    Item(C::kTwoColor, "TwoColorMenu", "两色", CtrlAlt('T'), kImage),
    Item(C::kGray, "GrayMenu", "灰度", {}, kImage),
    Item(C::kContrast, "ContrastMenu", "对比度", {}, kImage, kSep),
    Item(C::kSaturation, "SaturationMenu", "饱和度", {}, kImage),
    Item(C::kBrightness, "BrightnessMenu", "亮度", {}, kImage),
    Item(C::kRgb, "RGBMenu", "RGB", {}, kImage),
    Item(C::kExposure, "ExposureMenu", "曝光", {}, kFilter),
    Item(C::kCarving, "CarvingMenu", "雕刻", CtrlAlt('S'), kFilter),
    Item(C::kRelief, "ReliefMenu", "浮雕", CtrlAlt('R'), kFilter),
    Item(C::kSharpen, "SharpenMenu", "锐化", {}, kFilter),
    Item(C::kBlackWhiteNoise, "BlackWhiteNoiseMenu", "黑白噪点", {}, kFilter),
    Item(C::kColorNoise, "ColorNoiseMenu", "彩色噪点", {}, kFilter),
    Item(C::kSplash, "SplashMenu", "喷溅", {}, kFilter),
    Item(C::kMosaic, "MosaicMenu", "马赛克", CtrlAlt('M'), kFilter),
    Item(C::kNeon, "NeonMenu", "霓虹", {}, kFilter),
    Item(C::kDistortion, "DistortionMenu", "扭曲", {}, kFilter),
    Item(C::kWave, "WaveMenu", "波浪", {}, kFilter),
    Item(C::kLongView, "LongViewMenu", "远视图", {}, kFilter, kSep),
    Item(C::kSetWallPaper, "SetWallPaperMenu", "设为壁纸", CtrlAlt('W'), kTools),
    Item(C::kMailUs, "MailUSMenu", "联系作者", Ctrl('M'), kHelp),
    Item(C::kHomePage, "HomePageMenu", "官方网站", {}, kHelp),
    Item(C::kAbout, "AboutMenu", "更新历史", Ctrl('H'), kHelp),
    Both(C::kEnlarge, "EnlargeToolButton", {}, {}, {}, kNoFlags, 7, "放大", "图像按一定比例放大"),
    Both(C::kNarrow, "NarrowToolButton", {}, {}, {}, kNoFlags, 8, "缩小", "图像按一定比例缩小"),
    Both(C::kActualSize, "ActualSizeToolButton", {}, {}, {}, kNoFlags, 9, "实际大小", "恢复图像实际大小"),
};
static_assert(std::size(kRows) == kEditorCommandCount, "one row per command, in the order of the enum");

const ViewToggles& T(const EditorDocument& d) { return d.Toggles(); }

constexpr CommandRule<EditorDocument> kRules[] = {
    {CommandId(C::kToolBarButtons), [](const EditorDocument& d) { return T(d).ToolBarButtonsChecked(); }},
    {CommandId(C::kToolBarText), [](const EditorDocument& d) { return T(d).ToolBarTextChecked(); },
     [](const EditorDocument& d) { return T(d).ToolBarTextEnabled(); }},
    {CommandId(C::kToolsPanel), [](const EditorDocument& d) { return T(d).ToolsPanelChecked(); }},
    {CommandId(C::kStatusBar), [](const EditorDocument& d) { return T(d).StatusBarChecked(); }},
    {CommandId(C::kEnlarge), nullptr,
     [](const EditorDocument& d) { return d.GetZoom().EnlargeButtonEnabled(); }},
    {CommandId(C::kNarrow), nullptr,
     [](const EditorDocument& d) { return d.GetZoom().NarrowButtonEnabled(); }},
};

}  // namespace

std::optional<EditorCommand> CommandOfId(int id) {
  if (id < kCommandBase || id >= kCommandBase + kEditorCommandCount) return std::nullopt;
  return static_cast<EditorCommand>(id - kCommandBase);
}

std::span<const CommandRow> EditorCommands() { return kRows; }
const CommandRow& RowOf(EditorCommand command) { return kRows[static_cast<std::size_t>(command)]; }
std::span<const CommandRule<EditorDocument>> EditorCommandRules() { return kRules; }

std::optional<EditorCommand> CommandForShortcut(Shortcut pressed) {
  if (const auto id = ksv::CommandForShortcut(kRows, kEditorMenuBar, pressed)) return CommandOfId(*id);
  return std::nullopt;
}

}  // namespace ksv::editor
