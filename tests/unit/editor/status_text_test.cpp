#include "editor/status_text.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

struct NameCase {
  Color value;
  const char* name;
};

class ColorNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(ColorNameTest, NamesTheColour) { EXPECT_EQ(ColorName(GetParam().value), GetParam().name); }

INSTANTIATE_TEST_SUITE_P(Named, ColorNameTest,
                         testing::Values(NameCase{0x000000, "clBlack"}, NameCase{0x000080, "clMaroon"},
                                         NameCase{0x008000, "clGreen"}, NameCase{0x008080, "clOlive"},
                                         NameCase{0x800000, "clNavy"}, NameCase{0x800080, "clPurple"},
                                         NameCase{0x808000, "clTeal"}, NameCase{0x808080, "clGray"},
                                         NameCase{0xC0C0C0, "clSilver"}, NameCase{0x0000FF, "clRed"},
                                         NameCase{0x00FF00, "clLime"}, NameCase{0x00FFFF, "clYellow"},
                                         NameCase{0xFF0000, "clBlue"}, NameCase{0xFF00FF, "clFuchsia"},
                                         NameCase{0xFFFF00, "clAqua"}, NameCase{0xFFFFFF, "clWhite"},
                                         NameCase{0xC0DCC0, "clMoneyGreen"}, NameCase{0xF0CAA6, "clSkyBlue"},
                                         NameCase{0xF0FBFF, "clCream"}, NameCase{0xA4A0A0, "clMedGray"}));

INSTANTIATE_TEST_SUITE_P(Unnamed, ColorNameTest,
                         testing::Values(NameCase{0x00563412, "$00563412"},
                                         NameCase{0x000001, "$00000001"},    // one off black
                                         NameCase{0x0000FE, "$000000FE"},    // one off red
                                         NameCase{0xABCDEF, "$00ABCDEF"}));  // upper case

TEST(StatusTextTest, ColourReadoutGivesChannelsAndName) {
  EXPECT_EQ(ColorReadout(0x00563412), "R：18 G：52 B：86  $00563412");
  EXPECT_EQ(ColorReadout(MakeColor(255, 0, 0)), "R：255 G：0 B：0  clRed");
}

TEST(StatusTextTest, PositionAndSizeReadouts) {
  EXPECT_EQ(PositionReadout({10, 20}), "坐标 x：10 y：20");
  EXPECT_EQ(SizeReadout({1024, 768}), "1024*768");
}

TEST(StatusTextTest, PanelsStartWithTheirTexts) {
  EXPECT_EQ(kStatusPanels[0].width, 60);
  EXPECT_STREQ(kStatusPanels[0].initial_text, "宽高");
  EXPECT_EQ(kStatusPanels[1].width, 210);
  EXPECT_STREQ(kStatusPanels[1].initial_text, "R： G： B：");
  EXPECT_EQ(kStatusPanels[2].width, 120);
  EXPECT_STREQ(kStatusPanels[2].initial_text, "坐标：xy");
  EXPECT_EQ(kStatusPanels[3].width, 120);
  EXPECT_STREQ(kStatusPanels[3].initial_text, "");
  EXPECT_EQ(kStatusPanels[4].width, 50);
}

}  // namespace
}  // namespace ksv::editor
