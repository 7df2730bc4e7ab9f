// When timers fire and how long the loop may sleep.
#include "platform/x11/timer_schedule.h"

#include <gtest/gtest.h>

namespace {

using platform::x11::TimerSchedule;
using std::chrono::milliseconds;

constexpr TimerSchedule::Clock::time_point t0{};

TEST(TimerScheduleTest, WithoutTimersTheLoopSleepsUntilAnEvent) {
  TimerSchedule timers;
  EXPECT_FALSE(timers.MillisUntilNext(t0).has_value());
  EXPECT_FALSE(timers.TakeDue(t0 + milliseconds(1000)).has_value());
}

TEST(TimerScheduleTest, FiresEveryIntervalOnItsOwnGrid) {
  TimerSchedule timers;
  timers.Start(7, 0, milliseconds(70), t0);
  EXPECT_EQ(timers.MillisUntilNext(t0), 70);
  EXPECT_FALSE(timers.TakeDue(t0 + milliseconds(69)).has_value());
  // Woken 5 ms late: the next tick still comes at 140, not 145.
  const auto due = timers.TakeDue(t0 + milliseconds(75));
  ASSERT_TRUE(due.has_value());
  EXPECT_EQ(due->window, 7);
  EXPECT_EQ(due->id, 0);
  EXPECT_FALSE(timers.TakeDue(t0 + milliseconds(75)).has_value());
  EXPECT_EQ(timers.MillisUntilNext(t0 + milliseconds(75)), 65);
}

TEST(TimerScheduleTest, ALateLoopGetsOneTickNotABurst) {
  TimerSchedule timers;
  timers.Start(7, 0, milliseconds(70), t0);
  const auto late = t0 + milliseconds(500);  // seven ticks missed
  EXPECT_TRUE(timers.TakeDue(late).has_value());
  EXPECT_FALSE(timers.TakeDue(late).has_value());
  EXPECT_EQ(timers.MillisUntilNext(late), 70);
}

TEST(TimerScheduleTest, SleepIsRoundedUpSoTheLoopNeverWakesEarly) {
  TimerSchedule timers;
  timers.Start(7, 0, milliseconds(70), t0);
  const auto almost = t0 + milliseconds(69) + std::chrono::microseconds(1);
  EXPECT_EQ(timers.MillisUntilNext(almost), 1);
  EXPECT_EQ(timers.MillisUntilNext(t0 + milliseconds(80)), 0);
}

TEST(TimerScheduleTest, TheTimerDueLongestAgoGoesFirstAndRestartingReplaces) {
  TimerSchedule timers;
  timers.Start(1, 0, milliseconds(100), t0);
  timers.Start(2, 0, milliseconds(30), t0);
  timers.Start(1, 0, milliseconds(50), t0);  // the same timer again
  const auto first = timers.TakeDue(t0 + milliseconds(200));
  const auto second = timers.TakeDue(t0 + milliseconds(200));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->window, 2);
  EXPECT_EQ(second->window, 1);
  EXPECT_FALSE(timers.TakeDue(t0 + milliseconds(200)).has_value());
}

}  // namespace
