#include "core/geometry.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

// The two rectangle types describe the same pixels in two ways; a box that
// went through the edge form and back must be the box it was, including
// boxes left of or above the origin (a window on a second monitor).
TEST(GeometryTest, BoxesAndRectsConvertBothWays) {
  struct Case {
    Box box;
    Rect rect;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
      {{10, 20, 30, 40}, {10, 20, 40, 60}},
      {{-1280, -5, 1280, 800}, {-1280, -5, 0, 795}},
      {{7, 9, 1, 1}, {7, 9, 8, 10}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToRect(c.box), c.rect) << c.box;
    EXPECT_EQ(ToBox(c.rect), c.box) << c.rect;
    EXPECT_EQ(c.box.right(), c.rect.right);
    EXPECT_EQ(c.box.bottom(), c.rect.bottom);
    EXPECT_EQ(Rect::FromOriginSize(c.rect.Origin(), c.rect.GetSize()), c.rect);
  }
}

// Right and bottom are exclusive: neighbours that touch share no pixel.
TEST(GeometryTest, EdgesAreExclusive) {
  const Rect r{10, 10, 20, 20};
  EXPECT_TRUE(r.Contains({10, 10}));
  EXPECT_TRUE(r.Contains({19, 19}));
  EXPECT_FALSE(r.Contains({20, 19}));
  EXPECT_FALSE(r.Contains({19, 20}));
  EXPECT_FALSE(r.Contains({9, 15}));

  const Box left{0, 0, 10, 10};
  const Box touching{10, 0, 10, 10};
  const Box one_over{9, 0, 10, 10};
  EXPECT_FALSE(Overlaps(left, touching));
  EXPECT_FALSE(Overlaps(touching, left));
  EXPECT_TRUE(Overlaps(left, one_over));
  EXPECT_TRUE(Overlaps(one_over, left));
}

TEST(GeometryTest, ContainsTakesTheWholeInnerBox) {
  const Box outer{0, 0, 100, 50};
  EXPECT_TRUE(Contains(outer, outer));
  EXPECT_TRUE(Contains(outer, {10, 10, 90, 40}));
  EXPECT_FALSE(Contains(outer, {10, 10, 91, 40}));
  EXPECT_FALSE(Contains(outer, {-1, 0, 10, 10}));
  EXPECT_FALSE(Contains(outer, {0, 45, 10, 6}));
}

TEST(GeometryTest, IntersectionOfRects) {
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {5, 5, 20, 20}), (Rect{5, 5, 10, 10}));
  EXPECT_EQ(Intersect({0, 0, 10, 10}, {2, 3, 4, 5}), (Rect{2, 3, 4, 5}));
  // Apart or only touching: empty, at the first rectangle's corner.
  const Rect apart = Intersect({3, 4, 10, 10}, {10, 0, 20, 20});
  EXPECT_TRUE(apart.Empty());
  EXPECT_EQ(apart.Origin(), (Point{3, 4}));
  EXPECT_TRUE(Intersect({0, 0, 10, 10}, {20, 20, 30, 30}).Empty());
}

TEST(GeometryTest, EmptySizesAndRects) {
  EXPECT_TRUE((Size{0, 5}).Empty());
  EXPECT_TRUE((Size{5, -1}).Empty());
  EXPECT_FALSE((Size{1, 1}).Empty());
  EXPECT_TRUE((Rect{5, 5, 5, 9}).Empty());
  EXPECT_TRUE((Rect{5, 5, 4, 9}).Empty());
  EXPECT_FALSE((Rect{5, 5, 6, 6}).Empty());
  EXPECT_EQ((Point{3, 4}) + (Point{-1, 2}), (Point{2, 6}));
  EXPECT_EQ((Point{3, 4}) - (Point{-1, 2}), (Point{4, 2}));
}

}  // namespace
}  // namespace ksv
