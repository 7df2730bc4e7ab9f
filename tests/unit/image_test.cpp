// Pictures: reading bitmaps and drawing circles.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/image.h"
#include "tests/support/bmp_writer.h"

namespace {

using platform::Image;

TEST(DecodeBmp, ReadsBottomUpAndTopDown) {
  Image image(3, 2);
  image.set(0, 0, 0x0000FF);
  image.set(2, 1, 0x123456);
  auto bmp = testing_support::EncodeBmp(image);
  EXPECT_EQ(platform::DecodeBmp(bmp), image);
  // Top-down: negative height, rows in the other order.
  std::vector<std::uint8_t> flipped(bmp.begin(), bmp.begin() + 54);
  flipped[22] = 0xFE;
  flipped[23] = flipped[24] = flipped[25] = 0xFF;  // height -2
  const std::size_t stride = 12;
  flipped.insert(flipped.end(), bmp.begin() + 54 + stride, bmp.end());
  flipped.insert(flipped.end(), bmp.begin() + 54, bmp.begin() + 54 + stride);
  EXPECT_EQ(platform::DecodeBmp(flipped), image);
}

TEST(DecodeBmp, RejectsWhatItCannotRead) {
  const auto good = testing_support::EncodeBmp(Image(4, 4, 0x808080));
  auto truncated = good;
  truncated.resize(good.size() - 1);
  auto magic = good;
  magic[0] = 'X';
  auto paletted = good;
  paletted[28] = 8;
  auto huge = good;
  huge[18] = huge[19] = huge[20] = 0xFF;
  huge[21] = 0x7F;
  for (const auto& bad : {truncated, magic, paletted, huge, std::vector<std::uint8_t>{}}) {
    EXPECT_FALSE(platform::DecodeBmp(bad).has_value());
  }
}

double DarkCentroidX(const Image& image) {
  double sum = 0;
  double weight = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dark = 255.0 - platform::Red(image.at(x, y));
      sum += dark * x;
      weight += dark;
    }
  }
  return sum / weight;
}

TEST(FillCircle, FractionalCentresLandBetweenPixels) {
  auto draw = [](double cx) {
    Image image(40, 40, 0xFFFFFF);
    platform::FillCircle(image, cx, 20, 5, 0, 0x2A60,
                         [&image](int x, int y) { return image.at(x, y); });
    return image;
  };
  const Image whole = draw(16);
  const Image fraction = draw(16.4);
  EXPECT_NE(whole, fraction);
  EXPECT_NEAR(DarkCentroidX(whole), 16.0, 0.02);
  EXPECT_NEAR(DarkCentroidX(fraction), 16.4, 0.05);
}

TEST(FillCircle, FilledInsideRimmedOutsideBlendedAtTheEdge) {
  Image image(30, 30, 0xFFFFFF);
  platform::FillCircle(image, 15, 15, 9, 0x000000, 0x0000FF,
                       [&image](int x, int y) { return image.at(x, y); });
  EXPECT_EQ(image.at(15, 15), 0x000000u);
  EXPECT_EQ(image.at(15 + 7, 15), 0x000000u);
  EXPECT_EQ(image.at(15 + 9, 15), platform::Blend(0xFFFFFF, 0x0000FF, 0.5));  // the rim's edge
  EXPECT_EQ(image.at(15 + 10, 15), 0xFFFFFFu);
  EXPECT_EQ(image.at(15, 15 - 9), image.at(15, 15 + 9));
  EXPECT_EQ(image.at(15 - 9, 15), image.at(15 + 9, 15));
  // Clipped at the picture's edge without harm.
  platform::FillCircle(image, -3, 27, 9, 0, 0, [&image](int x, int y) { return image.at(x, y); });
  EXPECT_EQ(image.at(0, 29), 0x000000u);
}

}  // namespace
