#include "tests/support/bmp_writer.h"

namespace testing_support {

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const platform::Image& image) {
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = image.height() - 1; y >= 0; --y) {  // bottom-up
    for (int x = 0; x < image.width(); ++x) {
      const platform::Colour c = image.at(x, y);
      out.push_back(platform::Blue(c));
      out.push_back(platform::Green(c));
      out.push_back(platform::Red(c));
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace testing_support
