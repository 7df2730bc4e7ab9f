#include "platform/x11/timer_schedule.h"

#include <algorithm>

namespace platform::x11 {

void TimerSchedule::Start(Hwnd window, int id, std::chrono::milliseconds interval,
                          Clock::time_point now) {
  const auto step = std::max(interval, std::chrono::milliseconds(1));
  for (Entry& entry : entries_) {
    if (entry.window == window && entry.id == id) {
      entry.interval = step;
      entry.deadline = now + step;
      return;
    }
  }
  entries_.push_back({window, id, step, now + step});
}

std::optional<TimerSchedule::Due> TimerSchedule::TakeDue(Clock::time_point now) {
  const auto earliest =
      std::min_element(entries_.begin(), entries_.end(),
                       [](const Entry& a, const Entry& b) { return a.deadline < b.deadline; });
  if (earliest == entries_.end() || earliest->deadline > now) return std::nullopt;
  earliest->deadline += earliest->interval;
  if (earliest->deadline <= now) earliest->deadline = now + earliest->interval;
  return Due{earliest->window, earliest->id};
}

std::optional<int> TimerSchedule::MillisUntilNext(Clock::time_point now) const {
  if (entries_.empty()) return std::nullopt;
  Clock::time_point next = entries_.front().deadline;
  for (const Entry& entry : entries_) next = std::min(next, entry.deadline);
  if (next <= now) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

}  // namespace platform::x11
