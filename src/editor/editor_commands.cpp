#include "editor/editor_commands.h"

#include <array>

namespace ksv::editor {

namespace {

using C = EditorCommand;

constexpr Shortcut Ctrl(char key) { return {true, false, false, key}; }
constexpr Shortcut CtrlShift(char key) { return {true, true, false, key}; }
constexpr Shortcut CtrlAlt(char key) { return {true, false, true, key}; }
constexpr Shortcut kNone{};

constexpr MenuItemInfo kMenuItems[] = {
    {C::kOpenFolder, "打开捕捉图像目录", Ctrl('O')},
    {C::kSaveAs, "图像另存为", Ctrl('S')},
    {C::kCopyToClipboard, "复制到剪贴板", Ctrl('C')},
    {C::kClose, "退出", kNone},
    {C::kSave, "完成", kNone},
    {C::kUndo, "撤销", Ctrl('Z')},
    {C::kRedo, "重做", CtrlShift('Z')},
    {C::kToolBarButtons, "工具栏按钮", kNone},
    {C::kToolBarText, "文字标签", kNone},
    {C::kToolsPanel, "绘图工具栏", kNone},
    {C::kStatusBar, "状态栏", kNone},
    {C::kSize, "尺寸", kNone},
    {C::kLevelFlip, "水平翻转", CtrlAlt('L')},
    {C::kVerticalFlip, "垂直翻转", CtrlAlt('V')},
    {C::kDegrees90, "90度角", Ctrl('D')},
    {C::kDegrees180, "180度角", kNone},
    {C::kDegrees270, "270度角", kNone},
    {C::kArbitraryDegrees, "任意角度", kNone},
    {C::kLevelMirror, "水平镜像", Ctrl('L')},
    {C::kVerticalMirror, "垂直镜像", Ctrl('V')},
    {C::kSymmetricalMirror, "对称镜像", kNone},
    {C::kAntiColor, "反色", CtrlAlt('O')},
    {C::kTwoColor, "两色", CtrlAlt('T')},
    {C::kGray, "灰度", kNone},
    {C::kContrast, "对比度", kNone},
    {C::kSaturation, "饱和度", kNone},
    {C::kBrightness, "亮度", kNone},
    {C::kRgb, "RGB", kNone},
    {C::kExposure, "曝光", kNone},
    {C::kCarving, "雕刻", CtrlAlt('S')},
    {C::kRelief, "浮雕", CtrlAlt('R')},
    {C::kSharpen, "锐化", kNone},
    {C::kBlackWhiteNoise, "黑白噪点", kNone},
    {C::kColorNoise, "彩色噪点", kNone},
    {C::kSplash, "喷溅", kNone},
    {C::kMosaic, "马赛克", CtrlAlt('M')},
    {C::kNeon, "霓虹", kNone},
    {C::kDistortion, "扭曲", kNone},
    {C::kWave, "波浪", kNone},
    {C::kLongView, "远视图", kNone},
    {C::kSetWallPaper, "设为壁纸", CtrlAlt('W')},
    {C::kMailUs, "联系作者", Ctrl('M')},
    {C::kHomePage, "官方网站", kNone},
    {C::kAbout, "更新历史", Ctrl('H')},
};

constexpr ToolButtonInfo kToolButtons[] = {
    {C::kSave, "完成", "保存图像到指定目录", false},
    {C::kClose, "取消", "取消当前截取的图像", true},
    {C::kSaveAs, "另存为", "图像另存为", false},
    {C::kCopyToClipboard, "剪贴板", "复制图像到剪贴板", true},
    {C::kDegrees90, "90度旋转", "图像顺时针旋转90度", false},
    {C::kLevelFlip, "水平翻转", "水平翻转图像", false},
    {C::kVerticalFlip, "垂直翻转", "垂直翻转图像", true},
    {C::kEnlarge, "放大", "图像按一定比例放大", false},
    {C::kNarrow, "缩小", "图像按一定比例缩小", false},
    {C::kActualSize, "实际大小", "恢复图像实际大小", false},
};

constexpr std::array<const char*, 7> kTopMenus = {"文件(&F)", "编辑(&E)", "视图(&V)", "图像(&P)",
                                                  "滤镜(&T)", "工具(&T)", "帮助(&H)"};

constexpr char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::span<const MenuItemInfo> EditorMenuItems() { return kMenuItems; }
std::span<const ToolButtonInfo> EditorToolButtons() { return kToolButtons; }
std::span<const char* const> EditorTopMenus() { return kTopMenus; }

std::optional<EditorCommand> CommandForShortcut(Shortcut pressed) {
  if (pressed.key == 0) return std::nullopt;
  pressed.key = Upper(pressed.key);
  for (const MenuItemInfo& item : kMenuItems) {
    if (item.shortcut.key != 0 && item.shortcut == pressed) return item.command;
  }
  return std::nullopt;
}

}  // namespace ksv::editor
