// Fuzzes the lenient reading of numbers: no crash, no sanitizer report, and a
// result is always a finite number that a float conversion either takes or
// refuses with a failure.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/convert.h"
#include "platform/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double value = 0;
  try {
    value = platform::Val(text);
  } catch (const platform::Failure&) {
    return 0;  // too large for a 64-bit float: refused, as it should be
  }
  if (!std::isfinite(value)) std::abort();
  try {
    const float single = platform::ToSingle(value);
    if (!std::isfinite(single)) std::abort();
    (void)platform::SingleToText(single);
    (void)platform::ToInt32(single);
  } catch (const platform::Failure&) {
  }
  return 0;
}
