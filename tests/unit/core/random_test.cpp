#include "core/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace ksv {
namespace {

class RandomTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRandomSeed(0); }
  void TearDown() override { SetRandomSeed(0); }
};

TEST_F(RandomTest, StaysInRangeAndCoversIt) {
  std::vector<int> seen(7, 0);
  for (int i = 0; i < 7000; ++i) {
    const int v = Random(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    ++seen[v];
  }
  for (int count : seen) {
    EXPECT_GT(count, 800);  // roughly uniform: 1000 expected each
    EXPECT_LT(count, 1200);
  }
}

TEST_F(RandomTest, ZeroAndOneGiveZero) {
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(Random(-5), 0);
  }
}

TEST_F(RandomTest, FixedSeedRepeatsTheSequence) {
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Random(1000));
  SetRandomSeed(0);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Random(1000), first[i]);
}

TEST_F(RandomTest, ClockReseedChangesTheState) {
  RandomizeFromClock();
  const auto a = RandomSeed();
  Random(10);
  EXPECT_NE(RandomSeed(), a);  // every draw advances the state
}

}  // namespace
}  // namespace ksv
