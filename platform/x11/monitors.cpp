#include "platform/x11/monitors.h"

#include <algorithm>

namespace platform::x11 {

RECT PrimaryArea(const std::vector<Monitor>& monitors, int rootWidth, int rootHeight) {
  const auto primary =
      std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  if (primary != monitors.end()) return primary->area;
  if (!monitors.empty()) return monitors.front().area;
  return {0, 0, rootWidth, rootHeight};
}

}  // namespace platform::x11
