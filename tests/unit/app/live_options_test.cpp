#include "app/live_options.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(LiveOptionsTest, TheSavePageBecomesTheOutputSettings) {
  Settings s;
  s.save.NameASTime = true;
  s.save.FNameTemp = "图";
  s.save.SaveDir = "D:\\截图";
  s.save.PicFormatRadioGroup = 3;
  s.save.JpgCompTrackBar = 55;
  const OutputSettings o = OutputSettingsOf(s);
  EXPECT_TRUE(o.name_by_time);
  EXPECT_EQ(o.name_template, "图");
  EXPECT_EQ(o.folder, "D:\\截图");
  EXPECT_EQ(o.format, 3);
  EXPECT_EQ(o.jpeg_quality, 55);
  // The other pages have no say in a save.
  Settings other = s;
  other.conventional.HideMainForm = !s.conventional.HideMainForm;
  other.fixed = {1, 2};
  const OutputSettings same = OutputSettingsOf(other);
  EXPECT_EQ(same.folder, o.folder);
  EXPECT_EQ(same.format, o.format);
}

// The delay counts only while ticked, and only as whole seconds the field
// holds; the fixed size is the one the capture cycle was given.
TEST(LiveOptionsTest, TheGeneralPageBecomesTheCaptureOptions) {
  struct Case {
    bool ticked;
    const char* delay_text;
    int delay_ms;
  };
  const Case cases[] = {
      {false, "3", 0}, {true, "3", 3000}, {true, "0", 0}, {true, "60", 60000}, {true, "abc", 0}, {true, "", 0},
  };
  for (const Case& c : cases) {
    Settings s;
    s.conventional.DelayTime = c.ticked;
    s.conventional.DelayTimeCap = c.delay_text;
    s.conventional.HideMainForm = false;
    s.fixed = {320, 240};
    const capture::CaptureOptions o = CaptureOptionsOf(s);
    EXPECT_EQ(o.delay_ms, c.delay_ms) << c.ticked << " '" << c.delay_text << "'";
    EXPECT_FALSE(o.hide_main_window);
    EXPECT_EQ(o.fixed, (Size{320, 240}));
  }
  Settings hidden;
  hidden.conventional.HideMainForm = true;
  EXPECT_TRUE(CaptureOptionsOf(hidden).hide_main_window);
}

}  // namespace
}  // namespace ksv
