// Writes small pictures as 24-bit .bmp files, for test fixtures.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/image.h"

namespace testing_support {

std::vector<std::uint8_t> EncodeBmp(const platform::Image& image);

}  // namespace testing_support
