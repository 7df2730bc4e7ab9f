// Where the window comes up: centred at the top of the primary monitor the
// first time, where it was saved otherwise, also partly off the screen and
// with monitors left of the primary one. And what happens with no display.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"

namespace tobbelin_x11 {
namespace {

constexpr int kWidth = 277;  // the picture's size
constexpr int kHeight = 220;

struct Placement {
  const char* name;
  std::vector<MonitorLayout> monitors;
  const char* settings;  // nullptr: no settings file
  platform::POINT root;  // where the client area's corner must be
};

void PrintTo(const Placement& p, std::ostream* out) {
  *out << p.name;
}

class PlacementTest : public ::testing::TestWithParam<Placement> {};

TEST_P(PlacementTest, TheWindowComesUpThere) {
  const Placement& p = GetParam();
  Desktop desktop({1920, 1080, p.monitors});
  Companion companion(&desktop);
  if (p.settings != nullptr) companion.WriteSettings(p.settings);
  companion.Start();
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT at = desktop.Position(window);
  EXPECT_EQ(at.x, p.root.x);
  EXPECT_EQ(at.y, p.root.y);
  // The picture is really there, not just the window: the head's top-left
  // corner pixel on the screen is see-through (the desktop shows), and its
  // left eye is where the window says.
  if (at.x >= 0) {
    EXPECT_EQ(desktop.PixelAt(at.x, at.y), kDesktopColour);
  }
  EXPECT_NE(desktop.PixelAt(at.x + 94, at.y + 68), kDesktopColour);
}

// One 1920 x 1080 screen; or split at x = 960 with the primary monitor on
// the right, so the program's (0, 0) is root (960, 0).
std::vector<MonitorLayout> One() {
  return {};
}
std::vector<MonitorLayout> PrimaryRight() {
  return {{0, 0, 960, 1080, false}, {960, 0, 960, 1080, true}};
}
std::vector<MonitorLayout> PrimaryBelow() {
  return {{0, 0, 1920, 400, false}, {0, 400, 1280, 680, true}};
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PlacementTest,
    ::testing::Values(
        // 1920 / 2 - 277 / 2 in twips: (14400 - 2077) / 15 = 821.5 -> 822.
        Placement{"first_start_one_monitor", One(), nullptr, {822, 0}},
        // (7200 - 2077) / 15 = 341.5 -> 342 on the 960-pixel primary monitor.
        Placement{"first_start_primary_on_the_right", PrimaryRight(), nullptr, {960 + 342, 0}},
        // (9600 - 2077) / 15 = 501.5 -> 502; its top edge is root y = 400.
        Placement{"first_start_primary_below_another", PrimaryBelow(), nullptr, {502, 400}},
        Placement{"saved_partly_off_the_left_edge",
                  One(),
                  "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=-150\r\n",
                  {-10, 100}},
        // Negative program coordinates land on the monitor left of the primary.
        Placement{"saved_left_of_the_primary_monitor",
                  PrimaryRight(),
                  "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=-1500\r\n",
                  {960 - 100, 100}},
        Placement{"saved_above_the_primary_monitor",
                  PrimaryBelow(),
                  "[Ferrowind Tobbelin]\r\nTop=-3000\r\nLeft=3000\r\n",
                  {200, 200}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(NoDisplayTest, SaysWhyInOneLineAndFails) {
  Companion companion(nullptr);
  Child& run = companion.Start();
  const auto code = run.WaitExit(std::chrono::seconds(10));
  ASSERT_TRUE(code.has_value());
  EXPECT_NE(*code, 0);
  const std::string output = companion.Output();
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find("DISPLAY"), std::string::npos) << output;
  EXPECT_FALSE(companion.Settings().has_value());
}

}  // namespace
}  // namespace tobbelin_x11
