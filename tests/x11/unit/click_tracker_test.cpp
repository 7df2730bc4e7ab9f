// Which pairs of presses make a double-click.
#include "platform/x11/click_tracker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Press {
  int button;
  std::uint32_t time;
  int x;
  int y;
};

struct Sequence {
  const char* name;
  std::vector<Press> presses;
  std::vector<bool> doubles;  // what each press reports
};

class ClickTrackerTest : public ::testing::TestWithParam<Sequence> {};

TEST_P(ClickTrackerTest, Reports) {
  platform::x11::ClickTracker clicks;
  std::vector<bool> seen;
  for (const Press& p : GetParam().presses)
    seen.push_back(clicks.Press(p.button, p.time, p.x, p.y));
  EXPECT_EQ(seen, GetParam().doubles);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ClickTrackerTest,
    ::testing::Values(
        Sequence{"quick_and_close", {{1, 1000, 10, 10}, {1, 1120, 12, 9}}, {false, true}},
        Sequence{"at_the_limits", {{1, 1000, 10, 10}, {1, 1500, 14, 6}}, {false, true}},
        Sequence{"too_slow", {{1, 1000, 10, 10}, {1, 1501, 10, 10}}, {false, false}},
        Sequence{"too_far_across", {{1, 1000, 10, 10}, {1, 1100, 15, 10}}, {false, false}},
        Sequence{"too_far_down", {{1, 1000, 10, 10}, {1, 1100, 10, 5}}, {false, false}},
        // The server's millisecond clock wraps after 49 days.
        Sequence{"across_the_clock_wrap", {{1, 0xFFFFFF00u, 0, 0}, {1, 0x40, 0, 0}}, {false, true}},
        Sequence{"third_press_starts_afresh",
                 {{1, 1000, 0, 0}, {1, 1100, 0, 0}, {1, 1200, 0, 0}, {1, 1300, 0, 0}},
                 {false, true, false, true}},
        Sequence{"too_slow_press_arms_the_next",
                 {{1, 1000, 0, 0}, {1, 2000, 0, 0}, {1, 2100, 0, 0}},
                 {false, false, true}},
        Sequence{"right_button_never_pairs", {{3, 1000, 0, 0}, {3, 1100, 0, 0}}, {false, false}},
        Sequence{"another_button_between_breaks_it",
                 {{1, 1000, 0, 0}, {3, 1050, 0, 0}, {1, 1100, 0, 0}},
                 {false, false, false}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
