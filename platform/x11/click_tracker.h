// Double-clicks for a window system that reports only single presses: a
// second left press soon after and close to the first one makes a pair.
#pragma once

#include <cstdint>

namespace platform::x11 {

class ClickTracker {
 public:
  static constexpr std::uint32_t kMaxIntervalMs = 500;
  static constexpr int kMaxDistance = 4;  // pixels, either axis

  // A press of `button` (1 left) at `timeMs` (server time, which wraps
  // around) and root coordinates (x, y). True when it completes a left
  // double-click. A press that completes one never starts the next; a press
  // of another button breaks a pair.
  bool Press(int button, std::uint32_t timeMs, int x, int y);

 private:
  bool armed_ = false;
  std::uint32_t time_ = 0;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace platform::x11
