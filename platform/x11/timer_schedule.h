// When each of a program's timers is due next. Pure bookkeeping: the event
// loop asks it how long to sleep and which timer to fire.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "platform/win_types.h"

namespace platform::x11 {

class TimerSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  struct Due {
    Hwnd window;
    int id;
  };

  // Starts (or restarts) a timer: first due one interval after `now`.
  void Start(Hwnd window, int id, std::chrono::milliseconds interval, Clock::time_point now);
  // The timer due longest ago, if any is due at `now`; its next deadline is
  // set one interval on, or one interval from `now` when it fell a whole
  // interval behind, so a late loop never fires a burst of catch-up ticks.
  std::optional<Due> TakeDue(Clock::time_point now);
  // Whole milliseconds until the next deadline, rounded up so a loop that
  // sleeps that long wakes no earlier; none when no timer runs.
  std::optional<int> MillisUntilNext(Clock::time_point now) const;

 private:
  struct Entry {
    Hwnd window;
    int id;
    Clock::duration interval;
    Clock::time_point deadline;
  };
  std::vector<Entry> entries_;
};

}  // namespace platform::x11
