#include "app/option_rules.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(OptionRulesTest, DelayKeysLetOnlyDigitsAndEnterThrough) {
  for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_TRUE(IsDelayKeyAllowed(c));
  EXPECT_TRUE(IsDelayKeyAllowed(u'\r'));
  for (const char16_t c : {u'\b', u'-', u'+', u' ', u'a', u'\x7f', u'\t', u'\uFF11' /* full-width 1 */})
    EXPECT_FALSE(IsDelayKeyAllowed(c)) << static_cast<int>(c);
}

TEST(OptionRulesTest, DelayIsKeptBetweenOneAndSixty) {
  struct Case {
    const char* text;
    std::optional<std::string> new_text;
  } cases[] = {
      {"1", std::nullopt}, {"60", std::nullopt}, {"007", std::nullopt}, {"75", "60"},
      {"61", "60"},        {"0", "1"},           {"-3", "1"},           {"99999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const FieldCheck r = CheckDelayText(c.text);
    EXPECT_EQ(r.new_text, c.new_text);
    if (c.new_text) {
      EXPECT_FALSE(r.message);
      EXPECT_FALSE(CheckDelayText(*c.new_text).new_text) << "the corrected text passes";
    }
  }
}

TEST(OptionRulesTest, DelayThatIsNoNumberIsReportedAndLeftAlone) {
  for (const std::string text : {"", "1a", " 5", "99999999999"}) {
    SCOPED_TRACE(text);
    const FieldCheck r = CheckDelayText(text);
    EXPECT_FALSE(r.new_text);
    EXPECT_EQ(r.message, "'" + text + "' is not a valid integer value");
    EXPECT_TRUE(r.is_error);
  }
}

TEST(OptionRulesTest, SizeBelowOneIsResetWithTheMessage) {
  struct Case {
    const char* text;
    int value;
    bool reset;
  } cases[] = {
      {"1", 1, false},  {"600", 600, false}, {"0800", 800, false}, {"0", 0, true},
      {"-5", -5, true}, {"", 0, true},       {"abc", 0, true},     {"12px", 0, true},
  };
  for (const int default_value : {600, 400}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      EXPECT_EQ(SpinEditValue(c.text), c.value);
      const FieldCheck r = CheckSizeText(c.text, default_value);
      if (c.reset) {
        EXPECT_EQ(r.new_text, std::to_string(default_value));
        EXPECT_EQ(r.message, "请输入大于1的数");
        EXPECT_FALSE(r.is_error) << "a plain message box";
      } else {
        EXPECT_FALSE(r.new_text);
        EXPECT_FALSE(r.message);
      }
    }
  }
}

TEST(OptionRulesTest, EmptyTemplateBecomesTheDesignedOne) {
  EXPECT_EQ(CheckNameTemplate("").new_text, "截图");
  EXPECT_FALSE(CheckNameTemplate("图").new_text);
  EXPECT_FALSE(CheckNameTemplate(" ").new_text);
  EXPECT_FALSE(CheckNameTemplate("").message);
}

TEST(OptionRulesTest, QualityCaption) {
  EXPECT_EQ(JpgCompCaption(80), "压缩比：80%");
  EXPECT_EQ(JpgCompCaption(35), "压缩比：35%");
  EXPECT_EQ(JpgCompCaption(1), "压缩比：1%");
}

}  // namespace
}  // namespace ksv
