#include "editor/view_toggles.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(ViewTogglesTest, AllCheckedAndShownAtFirst) {
  const ViewToggles t;
  EXPECT_TRUE(t.ToolBarButtonsChecked() && t.ToolBarTextChecked() && t.ToolsPanelChecked() &&
              t.StatusBarChecked());
  EXPECT_TRUE(t.ToolBarVisible() && t.ToolBarTextEnabled() && t.ToolBarCaptionsShown() &&
              t.ToolsPanelVisible() && t.StatusBarVisible());
}

TEST(ViewTogglesTest, HidingTheToolbarDisablesTheCaptionItemButKeepsItsCheck) {
  ViewToggles t;
  t.ClickToolBarButtons();
  EXPECT_FALSE(t.ToolBarVisible());
  EXPECT_FALSE(t.ToolBarTextEnabled());
  EXPECT_TRUE(t.ToolBarTextChecked());
  t.ClickToolBarButtons();
  EXPECT_TRUE(t.ToolBarVisible());
  EXPECT_TRUE(t.ToolBarTextEnabled());
}

TEST(ViewTogglesTest, EachItemTogglesOnlyItsOwnControl) {
  ViewToggles t;
  t.ClickToolBarText();
  EXPECT_FALSE(t.ToolBarCaptionsShown());
  EXPECT_TRUE(t.ToolBarVisible());
  t.ClickToolsPanel();
  EXPECT_FALSE(t.ToolsPanelVisible());
  EXPECT_TRUE(t.StatusBarVisible());
  t.ClickStatusBar();
  EXPECT_FALSE(t.StatusBarVisible());
  t.ClickToolsPanel();
  t.ClickStatusBar();
  t.ClickToolBarText();
  EXPECT_TRUE(t.ToolsPanelVisible() && t.StatusBarVisible() && t.ToolBarCaptionsShown());
}

}  // namespace
}  // namespace ksv::editor
