// Run scanning of one row.
#include <gtest/gtest.h>

#include <vector>

#include "shaping/runs.h"

namespace {

TEST(RowRuns, StretchesThatAreNotTheKey) {
  const struct {
    std::vector<platform::Colour> row;
    std::vector<shaping::Run> runs;
  } cases[] = {
      {{0, 1, 1, 0, 1}, {{1, 3}, {4, 5}}},
      {{1, 1, 1}, {{0, 3}}},
      {{0, 0}, {}},
      {{}, {}},
      {{0, 1, 0}, {{1, 2}}},
      {{0x01000000, 0}, {{0, 1}}},  // differs in the unused byte: still not the key
  };
  for (const auto& c : cases) EXPECT_EQ(shaping::RowRuns(c.row, 0), c.runs);
}

}  // namespace
