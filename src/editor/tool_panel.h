// The tool panel on the left of the editor: the tool buttons with their
// hints and property pages, the exclusive tool group, and where the colour
// swatches, the buttons and the pages sit.
#pragma once

#include <optional>
#include <span>

#include "core/geometry.h"

namespace ksv::editor {

enum class ToolPage {
  kLineAndSoOn,       // sTabLineAndSoOn "直线矩形"
  kTextTool,          // sTabTextTool "文字工具"
  kSprayGun,          // sTabSprayGun "喷枪属性 "
  kMagnifyingGlass,   // sTabMagnifyingGlass "放大镜"
  kImageScaling,      // sTabImageScaling "图像缩放"
  kArbitraryDegrees,  // sTabArbitraryDegrees "旋转角度"
  kTranslation,       // sTabTranslation "平移量"
};
inline constexpr int kToolPageCount = 7;

enum class Tool {
  kLine,                // LineBtn
  kRectangular,         // RectangularBtn
  kRoundedRectangular,  // RoundedRectangularBtn
  kOval,                // OvalBtn
  kText,                // TextToolBtn
  kSprayGun,            // SprayGunBtn
  kMagnifyingGlass,     // MagnifyingGlassBtn
  kStraw,               // StrawBtn
  kHandle,              // HandleBtn
  kImageScaling,        // ImageScalingBtn
  kFreeTransform,       // FreeTransformBtn
  kTranslation,         // TranslationBtn
  kFuzzy,               // FuzzyBtn: a one-shot button outside the group
};
inline constexpr int kToolCount = 13;

struct ToolInfo {
  Tool tool;
  const char* name;              // the control's name
  const char* hint;              // UTF-8
  std::optional<ToolPage> page;  // the page a click shows, if any
  bool in_group;
};

struct ToolPageInfo {
  ToolPage page;
  const char* name;
  const char* caption;  // UTF-8
};

// The buttons of sPanelTools in panel order.
std::span<const ToolInfo> ToolButtons();
const ToolInfo& ToolInfoOf(Tool tool);
// The pages of AttributeToolbox in page order.
std::span<const ToolPageInfo> ToolPages();

inline constexpr const char* kToolsPanelHint = "工具箱";
inline constexpr const char* kAttributeToolboxHint = "工具箱属性栏";
// The page shown when the window is made.
inline constexpr ToolPage kInitialToolPage = ToolPage::kTextTool;

// The exclusive group of tool buttons, which may also be all up: pressing
// a button releases the others, pressing the pressed one releases it.
class ToolGroup {
 public:
  std::optional<Tool> Pressed() const { return pressed_; }
  bool IsPressed(Tool tool) const { return pressed_ == tool; }
  // A click on a group button; returns the page to show (the page changes
  // on every click of a button that has one, also when it releases).
  std::optional<ToolPage> Click(Tool tool);

 private:
  std::optional<Tool> pressed_ = Tool::kHandle;
};

// Where the parts of the tool panel go, in panel client coordinates.
struct ToolsPanelLayout {
  Rect color_panel;
  Rect foreground;           // ForeGroundColor, 35 x 35
  Rect background;           // BackGroundColor, 35 x 35
  Rect exchange;             // ExchangeColorBtn
  Rect tools;                // sPanelTools
  Rect buttons[kToolCount];  // the tool buttons, in ToolButtons() order
  Rect pages;                // AttributeToolbox
};

inline constexpr int kSwatchSide = 35;
inline constexpr int kToolButtonSide = 28;

ToolsPanelLayout ComputeToolsPanelLayout(Size panel);

}  // namespace ksv::editor
