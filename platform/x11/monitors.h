// The primary monitor: where the program's coordinates have their origin and
// what its "screen" is.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace platform::x11 {

struct Monitor {
  RECT area;  // root window pixels
  bool primary = false;
};

// The primary monitor among `monitors`, else the first one, else the whole
// root window of `rootWidth` x `rootHeight`.
RECT PrimaryArea(const std::vector<Monitor>& monitors, int rootWidth, int rootHeight);

}  // namespace platform::x11
