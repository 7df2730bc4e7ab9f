#include "platform/x11/click_tracker.h"

#include <cstdlib>

namespace platform::x11 {

bool ClickTracker::Press(int button, std::uint32_t timeMs, int x, int y) {
  if (button != 1) {
    armed_ = false;
    return false;
  }
  // Unsigned difference: right across the wrap of the server's clock.
  const bool pair = armed_ && timeMs - time_ <= kMaxIntervalMs &&
                    std::abs(x - x_) <= kMaxDistance && std::abs(y - y_) <= kMaxDistance;
  armed_ = !pair;
  time_ = timeMs;
  x_ = x;
  y_ = y;
  return pair;
}

}  // namespace platform::x11
