#include "editor/tool_panel.h"

#include <algorithm>

namespace ksv::editor {

namespace {

using P = ToolPage;

constexpr ToolInfo kTools[] = {
    {Tool::kLine, "LineBtn", "直线工具", P::kLineAndSoOn, true},
    {Tool::kRectangular, "RectangularBtn", "矩形工具", P::kLineAndSoOn, true},
    {Tool::kRoundedRectangular, "RoundedRectangularBtn", "圆角矩形工具", P::kLineAndSoOn, true},
    {Tool::kOval, "OvalBtn", "椭圆工具", P::kLineAndSoOn, true},
    {Tool::kText, "TextToolBtn", "文字工具", P::kTextTool, true},
    {Tool::kSprayGun, "SprayGunBtn", "喷枪", P::kSprayGun, true},
    {Tool::kMagnifyingGlass, "MagnifyingGlassBtn", "放大镜", P::kMagnifyingGlass, true},
    {Tool::kStraw, "StrawBtn", "吸管工具", std::nullopt, true},
    {Tool::kHandle, "HandleBtn", "抓手工具", std::nullopt, true},
    {Tool::kImageScaling, "ImageScalingBtn", "缩放工具", P::kImageScaling, true},
    {Tool::kFreeTransform, "FreeTransformBtn", "自由变换", P::kArbitraryDegrees, true},
    {Tool::kTranslation, "TranslationBtn", "平移工具", P::kTranslation, true},
    {Tool::kFuzzy, "FuzzyBtn", "模糊工具", std::nullopt, false},
};

constexpr ToolPageInfo kPages[] = {
    {P::kLineAndSoOn, "sTabLineAndSoOn", "直线矩形"},
    {P::kTextTool, "sTabTextTool", "文字工具"},
    {P::kSprayGun, "sTabSprayGun", "喷枪属性 "},
    {P::kMagnifyingGlass, "sTabMagnifyingGlass", "放大镜"},
    {P::kImageScaling, "sTabImageScaling", "图像缩放"},
    {P::kArbitraryDegrees, "sTabArbitraryDegrees", "旋转角度"},
    {P::kTranslation, "sTabTranslation", "平移量"},
};

static_assert(std::size(kTools) == kToolCount);
static_assert(std::size(kPages) == kToolPageCount);

}  // namespace

std::span<const ToolInfo> ToolButtons() { return kTools; }
const ToolInfo& ToolInfoOf(Tool tool) { return kTools[static_cast<int>(tool)]; }
std::span<const ToolPageInfo> ToolPages() { return kPages; }

std::optional<ToolPage> ToolGroup::Click(Tool tool) {
  const ToolInfo& info = ToolInfoOf(tool);
  if (info.in_group) pressed_ = pressed_ == tool ? std::nullopt : std::optional<Tool>(tool);
  return info.page;
}

ToolsPanelLayout ComputeToolsPanelLayout(Size panel) {
  ToolsPanelLayout l;
  const int width = std::max(0, panel.width);
  // Colour panel: the two swatches overlap diagonally, the exchange button
  // to their right.
  l.color_panel = {0, 0, width, 62};
  l.foreground = Rect::FromOriginSize({12, 6}, {kSwatchSide, kSwatchSide});
  l.background = Rect::FromOriginSize({32, 22}, {kSwatchSide, kSwatchSide});
  l.exchange = Rect::FromOriginSize({78, 10}, {24, 24});
  // Tool buttons: four to a row, centred across the panel.
  constexpr int kColumns = 4;
  constexpr int kGap = 2;
  const int rows = (kToolCount + kColumns - 1) / kColumns;
  const int grid_width = kColumns * kToolButtonSide + (kColumns - 1) * kGap;
  const int grid_left = std::max(0, (width - grid_width) / 2);
  const int tools_top = l.color_panel.bottom + 2;
  const int grid_height = rows * kToolButtonSide + (rows - 1) * kGap;
  l.tools = {0, tools_top, width, tools_top + grid_height + 8};
  for (int i = 0; i < kToolCount; ++i) {
    const int row = i / kColumns;
    const int column = i % kColumns;
    l.buttons[i] = Rect::FromOriginSize(
        {grid_left + column * (kToolButtonSide + kGap), tools_top + 4 + row * (kToolButtonSide + kGap)},
        {kToolButtonSide, kToolButtonSide});
  }
  l.pages = {0, l.tools.bottom + 2, width, std::max(l.tools.bottom + 2, panel.height)};
  return l;
}

}  // namespace ksv::editor
