#include "editor/tool_panel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ksv::editor {
namespace {

TEST(ToolPanelTest, HandIsPressedAtFirst) {
  ToolGroup group;
  EXPECT_TRUE(group.IsPressed(Tool::kHandle));
}

TEST(ToolPanelTest, PressingAnotherReleasesTheOthers) {
  ToolGroup group;
  EXPECT_EQ(group.Click(Tool::kRectangular), ToolPage::kLineAndSoOn);
  EXPECT_TRUE(group.IsPressed(Tool::kRectangular));
  EXPECT_FALSE(group.IsPressed(Tool::kHandle));
}

TEST(ToolPanelTest, PressingThePressedOneReleasesIt) {
  ToolGroup group;
  group.Click(Tool::kRectangular);
  group.Click(Tool::kRectangular);
  EXPECT_EQ(group.Pressed(), std::nullopt);
}

TEST(ToolPanelTest, BlurButtonIsNotPartOfTheGroup) {
  ToolGroup group;
  group.Click(Tool::kOval);
  EXPECT_EQ(group.Click(Tool::kFuzzy), std::nullopt);
  EXPECT_TRUE(group.IsPressed(Tool::kOval));
}

struct PageCase {
  Tool tool;
  std::optional<ToolPage> page;
};

TEST(ToolPanelTest, EachButtonShowsItsPage) {
  const PageCase cases[] = {
      {Tool::kLine, ToolPage::kLineAndSoOn},
      {Tool::kRoundedRectangular, ToolPage::kLineAndSoOn},
      {Tool::kText, ToolPage::kTextTool},
      {Tool::kSprayGun, ToolPage::kSprayGun},
      {Tool::kMagnifyingGlass, ToolPage::kMagnifyingGlass},
      {Tool::kStraw, std::nullopt},
      {Tool::kHandle, std::nullopt},
      {Tool::kImageScaling, ToolPage::kImageScaling},
      {Tool::kFreeTransform, ToolPage::kArbitraryDegrees},
      {Tool::kTranslation, ToolPage::kTranslation},
  };
  for (const PageCase& c : cases) {
    ToolGroup group;
    EXPECT_EQ(group.Click(c.tool), c.page) << ToolInfoOf(c.tool).name;
  }
}

TEST(ToolPanelTest, TablesAreInEnumOrderWithTheirHints) {
  for (std::size_t i = 0; i < ToolButtons().size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(ToolButtons()[i].tool), i);
  }
  for (std::size_t i = 0; i < ToolPages().size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(ToolPages()[i].page), i);
  }
  EXPECT_STREQ(ToolInfoOf(Tool::kHandle).hint, "抓手工具");
  EXPECT_STREQ(ToolInfoOf(Tool::kFuzzy).hint, "模糊工具");
  EXPECT_STREQ(ToolPages()[static_cast<int>(ToolPage::kSprayGun)].caption, "喷枪属性 ");
}

TEST(ToolPanelTest, LayoutKeepsEverythingInsideThePanelWithoutOverlaps) {
  const Size panel{129, 482 - 62 - 19};
  const ToolsPanelLayout l = ComputeToolsPanelLayout(panel);
  const Rect whole{0, 0, panel.width, panel.height};
  EXPECT_EQ(l.foreground.GetSize(), (Size{kSwatchSide, kSwatchSide}));
  EXPECT_EQ(l.background.GetSize(), (Size{kSwatchSide, kSwatchSide}));
  for (const Rect& r : {l.foreground, l.background, l.exchange}) {
    EXPECT_EQ(Intersect(r, l.color_panel), r);
  }
  EXPECT_TRUE(Intersect(l.exchange, l.foreground).Empty());
  EXPECT_TRUE(Intersect(l.exchange, l.background).Empty());
  for (int i = 0; i < kToolCount; ++i) {
    EXPECT_EQ(Intersect(l.buttons[i], l.tools), l.buttons[i]) << i;
    EXPECT_EQ(Intersect(l.buttons[i], whole), l.buttons[i]) << i;
    for (int j = i + 1; j < kToolCount; ++j) EXPECT_TRUE(Intersect(l.buttons[i], l.buttons[j]).Empty());
  }
  EXPECT_LE(l.color_panel.bottom, l.tools.top);
  EXPECT_LE(l.tools.bottom, l.pages.top);
  EXPECT_EQ(l.pages.bottom, panel.height);
  EXPECT_GT(l.pages.Height(), 150);
}

TEST(ToolPanelTest, TinyPanelGivesNoNegativeSizes) {
  const ToolsPanelLayout l = ComputeToolsPanelLayout({0, 0});
  EXPECT_GE(l.pages.Height(), 0);
  EXPECT_GE(l.pages.Width(), 0);
}

}  // namespace
}  // namespace ksv::editor
