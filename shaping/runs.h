// Run scanning: the stretches of a row of pixels that are not the key colour.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/image.h"

namespace shaping {

// Columns [start, end) of one row, none of them the key colour.
struct Run {
  std::int32_t start;
  std::int32_t end;
  bool operator==(const Run&) const = default;
};

// The row's runs from left to right. A run that reaches the row's last pixel
// ends at the row's width.
std::vector<Run> RowRuns(std::span<const platform::Colour> row, platform::Colour key);

}  // namespace shaping
