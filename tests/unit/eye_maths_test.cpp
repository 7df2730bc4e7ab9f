// The eye tracking's arithmetic, apart from the window.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/failure.h"
#include "watcher/eye_maths.h"

namespace {

using watcher::DirectionComponent;
using watcher::EyeDistance;
using watcher::PupilCoordinate;

TEST(EyeMaths, DistancesAreExactForScreenSizedDifferences) {
  EXPECT_EQ(EyeDistance({194, 168}, {224, 208}), 50.0);
  EXPECT_EQ(EyeDistance({194, 168}, {194, 168}), 0.0);
  EXPECT_EQ(EyeDistance({-106, 28}, {-103, 32}), 5.0);
  EXPECT_NEAR(EyeDistance({280, 168}, {194, 68}), 131.894, 5e-4);
}

TEST(EyeMaths, OverflowingDifferencesFail) {
  EXPECT_THROW(EyeDistance({2147483647, 0}, {-1, 0}), platform::Failure);
  EXPECT_THROW(DirectionComponent(-2147483647, 2, 1.0), platform::Failure);
}

TEST(EyeMaths, PupilsSitFourPixelsTowardsThePointer) {
  // Pointer one pixel right of the eye: turned as far as for a distant one.
  const double dx = DirectionComponent(194, 195, EyeDistance({194, 168}, {195, 168}));
  EXPECT_EQ(dx, -1.0);
  EXPECT_EQ(PupilCoordinate(94, dx), 98.0F);
  EXPECT_EQ(PupilCoordinate(68, 1.0), 64.0F);  // pointer straight above
  EXPECT_EQ(PupilCoordinate(68, -1.0), 72.0F);
  EXPECT_EQ(PupilCoordinate(94, -0.6), 96.4F);  // a fraction, not rounded
  EXPECT_THROW(PupilCoordinate(94, std::nan("")), platform::Failure);
}

}  // namespace
