// The eyes on the screen: with the pointer off to one side of the head, both
// pupils sit 4 pixels from their eyes' centres towards it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"
#include "watcher/eye_maths.h"

namespace tobbelin_x11 {
namespace {

struct Offset {
  double x;
  double y;
};

// Where the pupil sits in an eye on the screen: the centroid of the dark
// pixels (pupil and its rim against the light eyeball) within the eyeball,
// relative to the eye's centre.
Offset PupilOffset(const Desktop& desktop, platform::POINT eye) {
  const int r = 8;  // inside the eyeball's rim
  const platform::Image shot = desktop.Screenshot(eye.x - r, eye.y - r, 2 * r + 1, 2 * r + 1);
  double sumX = 0;
  double sumY = 0;
  int count = 0;
  for (int dy = -r; dy <= r; ++dy) {
    for (int dx = -r; dx <= r; ++dx) {
      if (dx * dx + dy * dy > r * r) continue;
      const platform::Colour c = shot.at(dx + r, dy + r);
      if (platform::Red(c) + platform::Green(c) + platform::Blue(c) >= 320) continue;
      sumX += dx;
      sumY += dy;
      ++count;
    }
  }
  if (count == 0) return {99, 99};
  return {sumX / count, sumY / count};
}

struct Side {
  const char* name;
  platform::POINT pointer;  // relative to the window's corner
  Offset direction;         // which way the pupils must turn
};

void PrintTo(const Side& side, std::ostream* out) {
  *out << side.name;
}

class EyesTest : public ::testing::TestWithParam<Side> {};

TEST_P(EyesTest, BothPupilsTurnFourPixelsTowardsThePointer) {
  Desktop desktop;
  Companion companion(&desktop);
  companion.WriteSettings("[Ferrowind Tobbelin]\r\nTop=6000\r\nLeft=12000\r\n");  // (800, 400)
  companion.Start();
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT at = desktop.Position(window);
  desktop.MovePointer(at.x + GetParam().pointer.x, at.y + GetParam().pointer.y);

  const Offset want = GetParam().direction;
  for (const platform::POINT centre : {watcher::kLeftEyeCentre, watcher::kRightEyeCentre}) {
    const platform::POINT eye{at.x + centre.x, at.y + centre.y};
    Offset seen{};
    // Along the direction: 4 pixels less what the eyeball's edge cuts off
    // the pupil; across it: not more than the pointer's slant gives.
    const auto turned = [&] {
      seen = PupilOffset(desktop, eye);
      const double along = seen.x * want.x + seen.y * want.y;
      const double across = seen.x * want.y - seen.y * want.x;
      return along > 3.0 && along < 4.5 && std::abs(across) < 1.0;
    };
    // A tick or two after the pointer moved.
    EXPECT_TRUE(WaitUntil(turned, std::chrono::seconds(2)))
        << "eye at " << centre.x << "," << centre.y << ": pupil seen at " << seen.x << ","
        << seen.y;
  }
}

// The window is 277 x 220 with the eyes at y = 68; the pointer goes far off
// each side, level with the eyes or above/below the middle between them.
INSTANTIATE_TEST_SUITE_P(Sides, EyesTest,
                         ::testing::Values(Side{"left", {-300, 68}, {-1, 0}},
                                           Side{"right", {577, 68}, {1, 0}},
                                           Side{"up", {137, -380}, {0, -1}},
                                           Side{"down", {137, 660}, {0, 1}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tobbelin_x11
