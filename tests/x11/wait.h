// Waiting on a condition instead of sleeping a fixed time.
#pragma once

#include <chrono>
#include <thread>

namespace tobbelin_x11 {

using namespace std::chrono_literals;

// Asks `condition` every 10 ms until it holds (true) or `timeout` passes
// (false, after one last look).
template <class Condition>
bool WaitUntil(Condition&& condition, std::chrono::milliseconds timeout = 3s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return condition();
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

}  // namespace tobbelin_x11
