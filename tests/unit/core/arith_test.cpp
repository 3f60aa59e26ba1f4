#include "core/arith.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(ArithTest, ClampByte) {
  struct Case {
    int in, out;
  } cases[] = {{-1000, 0}, {-1, 0}, {0, 0}, {128, 128}, {255, 255}, {256, 255}, {100000, 255}};
  for (const auto& c : cases) EXPECT_EQ(ClampByte(c.in), c.out) << c.in;
}

TEST(ArithTest, RoundHalfEven) {
  struct Case {
    double in;
    long long out;
  } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},    {-0.5, 0},  {-1.5, -2},
               {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {6.5, 6},  {0.0, 0},
               {19.5, 20}, {32.5, 32}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  // r x 0.65 for the spray gun's radii, computed in double.
  EXPECT_EQ(RoundToInt(10 * 0.65), 6);
  EXPECT_EQ(RoundToInt(30 * 0.65), 20);
  EXPECT_EQ(RoundToInt(50 * 0.65), 32);
  EXPECT_EQ(RoundToInt(1 * 0.65), 1);
}

TEST(ArithTest, TruncAndDivisions) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Div(7, -2), -3);
  EXPECT_EQ(FloorDiv(-7, 2), -4);
  EXPECT_EQ(FloorDiv(7, 2), 3);
  EXPECT_EQ(FloorDiv(-8, 2), -4);
  EXPECT_EQ(FloorDiv(7, -2), -4);
}

}  // namespace
}  // namespace ksv
