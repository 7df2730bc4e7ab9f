// Colours into the pixel values of the visuals X servers offer, and back.
#include "platform/x11/pixel_format.h"

#include <gtest/gtest.h>

namespace {

using platform::Rgb;
using platform::x11::PixelFormat;

struct Case {
  const char* name;
  unsigned long red, green, blue;  // the visual's masks
  platform::Colour colour;
  unsigned long pixel;
};

class PixelFormatTest : public ::testing::TestWithParam<Case> {};

TEST_P(PixelFormatTest, PacksAndUnpacks) {
  const Case& c = GetParam();
  const PixelFormat format(c.red, c.green, c.blue);
  EXPECT_EQ(format.Pack(c.colour), c.pixel);
  EXPECT_EQ(format.Unpack(c.pixel), c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Visuals, PixelFormatTest,
    ::testing::Values(
        // The usual 24/32-bit visual: 0x00RRGGBB.
        Case{"rgb888", 0xFF0000, 0x00FF00, 0x0000FF, Rgb(0x12, 0x34, 0x56), 0x123456},
        Case{"bgr888", 0x0000FF, 0x00FF00, 0xFF0000, Rgb(0x12, 0x34, 0x56), 0x563412},
        // 16 bits: the high bits of each channel; full channels read back full.
        Case{"rgb565_white", 0xF800, 0x07E0, 0x001F, Rgb(255, 255, 255), 0xFFFF},
        Case{"rgb565_colour", 0xF800, 0x07E0, 0x001F, Rgb(0x84, 0x82, 0x08), 0x8401},
        // 30-bit deep colour: 0xFF must fill all ten bits.
        Case{"rgb101010", 0x3FF00000, 0x000FFC00, 0x000003FF, Rgb(255, 0, 255), 0x3FF003FF}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
