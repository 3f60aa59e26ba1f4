#include "core/text.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(TextTest, RoundTripsChineseAndAstral) {
  const std::string s = "墨隼捕手 万象快拍宗师 a\xF0\x9F\x98\x80";
  const std::u16string w = Utf8ToUtf16(s);
  EXPECT_EQ(w.substr(0, 4), u"墨隼捕手");
  EXPECT_EQ(w.size(), 15u);  // 13 BMP characters and one surrogate pair
  EXPECT_EQ(w[13], 0xD83D);
  EXPECT_EQ(w[14], 0xDE00);
  EXPECT_EQ(Utf16ToUtf8(w), s);
}

TEST(TextTest, InvalidInputBecomesReplacement) {
  struct Case {
    std::string in;
    std::u16string out;
  } cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\xE4\xB8", u"\uFFFD"},          // cut short
      {"\xC0\x80", u"\uFFFD\uFFFD"},    // overlong NUL
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.out);
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ksv
