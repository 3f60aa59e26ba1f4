#include "app/settings_store.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(StrToIntTest, AcceptsDecimalWithAnOptionalSignInRange) {
  struct Case {
    const char* text;
    std::int32_t value;
  } cases[] = {{"0", 0},
               {"-0", 0},
               {"+12", 12},
               {"0042", 42},
               {"-1", -1},
               {"2147483647", 2147483647},
               {"-2147483648", INT32_MIN}};
  for (const auto& c : cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
}

TEST(StrToIntTest, RejectsEverythingElseWithTheConversionMessage) {
  for (const std::string text : {"", "+", "-", "--1", "1-", " 1", "1 ", "1.0", "1e3", "$10", "0x10", "١",
                                 "2147483648", "-2147483649"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(TryStrToInt(text));
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), "'" + text + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace ksv
