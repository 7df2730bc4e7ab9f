#include "shaping/runs.h"

namespace shaping {

std::vector<Run> RowRuns(std::span<const platform::Colour> row, platform::Colour key) {
  std::vector<Run> runs;
  std::int32_t start = -1;
  const auto width = static_cast<std::int32_t>(row.size());
  for (std::int32_t x = 0; x < width; ++x) {
    if (row[static_cast<std::size_t>(x)] == key) {
      if (start > -1) runs.push_back({start, x});
      start = -1;
    } else if (start == -1) {
      start = x;
    }
  }
  if (start > -1) runs.push_back({start, width});
  return runs;
}

}  // namespace shaping
