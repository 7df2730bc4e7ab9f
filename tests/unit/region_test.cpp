// Regions built from rectangles.
#include <gtest/gtest.h>

#include "platform/region.h"

namespace {

using platform::Region;

TEST(Region, UnionOfRowsMergesTouchingSpansAndAlikeBands) {
  Region r;
  for (int y = 0; y < 3; ++y) r = Region::Union(r, Region::Rect(2, y, 5, y + 1));
  r = Region::Union(r, Region::Rect(5, 1, 7, 2));  // touches: one span
  r = Region::Union(r, Region::Rect(9, 1, 10, 2));
  const auto rects = r.Rectangles();
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[0].left, 2);
  EXPECT_EQ(rects[0].bottom, 1);
  EXPECT_EQ(rects[1].right, 7);
  EXPECT_EQ(rects[2].left, 9);
  EXPECT_EQ(rects[3].top, 2);
  EXPECT_EQ(rects[3].bottom, 3);
  EXPECT_EQ(r.Area(), 3 * 3 + 2 + 1);
  EXPECT_TRUE(r.Contains(6, 1));
  EXPECT_FALSE(r.Contains(6, 0));
  EXPECT_FALSE(r.Contains(7, 1));  // right edge outside
  EXPECT_EQ(r.Complexity(), platform::COMPLEXREGION);
}

TEST(Region, RectanglesStackIntoOneBand) {
  Region r = Region::Union(Region::Rect(0, 0, 4, 1), Region::Rect(0, 1, 4, 2));
  EXPECT_EQ(r, Region::Rect(0, 0, 4, 2));
  EXPECT_EQ(r.Complexity(), platform::SIMPLEREGION);
}

TEST(Region, OverlapsAndEmptyRectangles) {
  Region r = Region::Union(Region::Rect(0, 0, 10, 10), Region::Rect(5, 5, 15, 15));
  EXPECT_EQ(r.Area(), 100 + 100 - 25);
  EXPECT_EQ(r.Bounds().right, 15);
  EXPECT_TRUE(Region::Rect(0, 0, 0, 0).Empty());
  EXPECT_TRUE(Region::Rect(5, 5, 4, 9).Empty());
  EXPECT_EQ(Region::Union(r, Region()), r);
  EXPECT_EQ(Region().Complexity(), platform::NULLREGION);
  EXPECT_EQ(Region::Rect(-2147483647 - 1, 0, 2147483647, 1).Area(), 4294967295LL);
}

TEST(Region, AddingInPlaceGivesTheSameRegionAsTheUnion) {
  // Rectangles as a row scan adds them, and some that arrive out of order.
  const platform::RECT rects[] = {
      {2, 0, 5, 1},  {7, 0, 9, 1}, {2, 1, 5, 2},  {7, 1, 9, 2},   {2, 2, 5, 3},  {0, 3, 10, 4},
      {0, 4, 3, 5},  {4, 4, 6, 5}, {5, 4, 8, 5},  {1, 6, 2, 7},   {3, 6, 4, 7},  {0, 0, 1, 9},
      {2, 8, 4, 10}, {1, 8, 3, 9}, {6, 2, 7, 12}, {0, 12, 4, 13}, {0, 13, 4, 14}};
  Region added;
  Region unioned;
  for (const auto& r : rects) {
    const Region rect = Region::Rect(r.left, r.top, r.right, r.bottom);
    added.Add(rect);
    unioned = Region::Union(unioned, rect);
    ASSERT_EQ(added, unioned) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

}  // namespace
