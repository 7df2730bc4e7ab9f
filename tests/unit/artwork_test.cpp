// The shipped picture and icon: sizes, and the shape the window is cut to.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <queue>
#include <vector>

#include "assets/assets.h"
#include "platform/icon.h"
#include "platform/image.h"

namespace {

constexpr int kWidth = 277;
constexpr int kHeight = 220;
constexpr platform::Colour kKey = 0x000000;  // see-through
struct Point {
  int x, y;
};
constexpr std::array<Point, 2> kEyes = {{{94, 68}, {180, 68}}};

std::size_t Index(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// Labels 4-connected pieces of equal `solid` values; returns the count.
int Label(const std::vector<bool>& solid, int w, int h, bool value, std::vector<int>& label) {
  label.assign(solid.size(), -1);
  int count = 0;
  for (std::size_t start = 0; start < solid.size(); ++start) {
    if (solid[start] != value || label[start] >= 0) continue;
    std::queue<std::size_t> todo;
    todo.push(start);
    label[start] = count;
    while (!todo.empty()) {
      const std::size_t i = todo.front();
      todo.pop();
      const int x = static_cast<int>(i) % w, y = static_cast<int>(i) / w;
      const std::array<Point, 4> next = {{{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}};
      for (Point p : next) {
        if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) continue;
        const auto j = Index(p.x, p.y, w);
        if (solid[j] == value && label[j] < 0) {
          label[j] = count;
          todo.push(j);
        }
      }
    }
    ++count;
  }
  return count;
}

class Picture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    auto decoded = platform::DecodeBmp(assets::PictureBmp());
    ASSERT_TRUE(decoded) << "the picture does not decode as a 24-bit bitmap";
    image_ = new platform::Image(*decoded);
    dog_ = new std::vector<bool>(static_cast<std::size_t>(image_->width()) * image_->height());
    for (int y = 0; y < image_->height(); ++y) {
      for (int x = 0; x < image_->width(); ++x) {
        (*dog_)[Index(x, y, image_->width())] = image_->at(x, y) != kKey;
      }
    }
  }
  static void TearDownTestSuite() {
    delete image_;
    delete dog_;
  }
  static bool Dog(int x, int y) { return (*dog_)[Index(x, y, kWidth)]; }

  static platform::Image* image_;
  static std::vector<bool>* dog_;
};
platform::Image* Picture::image_ = nullptr;
std::vector<bool>* Picture::dog_ = nullptr;

TEST_F(Picture, IsTheDeclaredSizeAndUncompressed) {
  const auto bytes = assets::PictureBmp();
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[28], 24);  // bits a pixel
  EXPECT_EQ(bytes[30], 0);   // BI_RGB
  EXPECT_EQ(image_->width(), kWidth);
  EXPECT_EQ(image_->height(), kHeight);
  // Bottom-up: a positive height.
  EXPECT_EQ(bytes[22] | (bytes[23] << 8), kHeight);
  EXPECT_EQ(bytes[25], 0);
}

TEST_F(Picture, DogIsOnePieceWithoutHolesAndEveryRowHasOneToThreeRuns) {
  std::vector<int> label;
  const int dogPieces = Label(*dog_, kWidth, kHeight, true, label);
  EXPECT_EQ(dogPieces, 1) << "the dog falls apart into pieces";

  const int backgroundPieces = Label(*dog_, kWidth, kHeight, false, label);
  std::vector<bool> touchesBorder(static_cast<std::size_t>(backgroundPieces), false);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int l = label[Index(x, y, kWidth)];
      if (l >= 0 && (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)) {
        touchesBorder[static_cast<std::size_t>(l)] = true;
      }
    }
  }
  EXPECT_EQ(std::count(touchesBorder.begin(), touchesBorder.end(), false), 0)
      << "see-through holes inside the dog";

  long dogPixels = 0, runs = 0;
  std::array<int, 4> rowsWith{};  // rows with 1, 2, 3 runs at [1..3]
  for (int y = 0; y < kHeight; ++y) {
    int rowRuns = 0;
    for (int x = 0; x < kWidth; ++x) {
      if (!Dog(x, y)) continue;
      ++dogPixels;
      if (x == 0 || !Dog(x - 1, y)) ++rowRuns;
    }
    EXPECT_GE(rowRuns, 1) << "row " << y;
    EXPECT_LE(rowRuns, 3) << "row " << y;
    runs += rowRuns;
    if (rowRuns >= 1 && rowRuns <= 3) ++rowsWith[static_cast<std::size_t>(rowRuns)];
  }
  const long seeThrough = static_cast<long>(kWidth) * kHeight - dogPixels;
  std::cout << "picture: " << dogPixels << " dog pixels, " << seeThrough << " see-through, " << runs
            << " runs; rows with 1/2/3 runs: " << rowsWith[1] << "/" << rowsWith[2] << "/"
            << rowsWith[3] << "\n";
  RecordProperty("dog_pixels", std::to_string(dogPixels));
  RecordProperty("see_through_pixels", std::to_string(seeThrough));
  RecordProperty("runs", std::to_string(runs));
  RecordProperty("rows_with_1_2_3_runs", std::to_string(rowsWith[1]) + "/" +
                                             std::to_string(rowsWith[2]) + "/" +
                                             std::to_string(rowsWith[3]));
}

TEST_F(Picture, HeadFillsTheFrameAsDrawn) {
  bool rightEarAtTop = false, chinAtBottom = false, earAtLeft = false, rightEdgeClear = true;
  for (int x = kWidth / 2; x < kWidth; ++x) rightEarAtTop = rightEarAtTop || Dog(x, 0);
  for (int x = 0; x < kWidth; ++x) chinAtBottom = chinAtBottom || Dog(x, kHeight - 1);
  for (int y = 0; y < kHeight; ++y) {
    earAtLeft = earAtLeft || Dog(0, y);
    rightEdgeClear = rightEdgeClear && !Dog(kWidth - 1, y);
  }
  EXPECT_TRUE(rightEarAtTop);
  EXPECT_TRUE(chinAtBottom);
  EXPECT_TRUE(earAtLeft);
  EXPECT_TRUE(rightEdgeClear);
}

TEST_F(Picture, NothingSeeThroughNearTheEyes) {
  for (Point eye : kEyes) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (std::hypot(x - eye.x, y - eye.y) <= 48) {
          ASSERT_TRUE(Dog(x, y)) << "see-through at " << x << "," << y << " near the eye at "
                                 << eye.x << "," << eye.y;
        }
      }
    }
  }
}

TEST_F(Picture, PupilsAreCentredOnTheEyeCentres) {
  auto luma = [](platform::Colour c) {
    return 0.3 * platform::Red(c) + 0.59 * platform::Green(c) + 0.11 * platform::Blue(c);
  };
  for (Point eye : kEyes) {
    ASSERT_LT(luma(image_->at(eye.x, eye.y)), 30) << "no dark pupil at " << eye.x;
    // How far the dark pupil reaches along each axis before the iris starts.
    std::array<int, 4> reach{};
    const std::array<Point, 4> steps = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
      int r = 0;
      while (r < 15 &&
             luma(image_->at(eye.x + steps[i].x * (r + 1), eye.y + steps[i].y * (r + 1))) < 30) {
        ++r;
      }
      reach[i] = r;
    }
    EXPECT_GE(reach[0], 3) << "pupil too small at " << eye.x;
    EXPECT_LE(reach[0], 7) << "pupil too large at " << eye.x;
    EXPECT_EQ(reach[0], reach[1]) << "pupil off centre sideways at " << eye.x;
    EXPECT_EQ(reach[2], reach[3]) << "pupil off centre upwards at " << eye.x;
  }
}

TEST(Icon, IsOne32By32SixteenColourImage) {
  const auto bytes = assets::IconIco();
  ASSERT_GE(bytes.size(), 22u);
  EXPECT_EQ(bytes[4] | (bytes[5] << 8), 1);  // one image
  EXPECT_EQ(bytes[6], 32);
  EXPECT_EQ(bytes[7], 32);
  EXPECT_EQ(bytes[12], 4);  // bits a pixel

  const auto icon = platform::DecodeIco(bytes);
  ASSERT_TRUE(icon);
  ASSERT_EQ(icon->width, 32);
  ASSERT_EQ(icon->height, 32);
}

TEST(Icon, ShowsTwoEyesAcrossTheMiddleRows) {
  const auto icon = platform::DecodeIco(assets::IconIco());
  ASSERT_TRUE(icon);
  constexpr std::uint32_t kWhite = 0xFFFFFFFF, kBlue = 0xFF0000FF, kDarkBlue = 0xFF000080;
  // Per half of the icon: white, blue and dark blue pixels seen.
  std::array<std::array<int, 3>, 2> seen{};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t p = icon->argb[Index(x, y, 32)];
      if ((p >> 24) == 0) {
        EXPECT_EQ(p, 0u) << "see-through pixel with a colour at " << x << "," << y;
        continue;
      }
      EXPECT_TRUE(y >= 10 && y <= 19) << "opaque pixel outside the eye rows at " << x << "," << y;
      auto& half = seen[x < 16 ? 0 : 1];
      half[0] += p == kWhite;
      half[1] += p == kBlue;
      half[2] += p == kDarkBlue;
    }
  }
  for (int half = 0; half < 2; ++half) {
    EXPECT_GT(seen[half][0], 0) << "no white eyeball in half " << half;
    EXPECT_GT(seen[half][1], 0) << "no blue iris in half " << half;
    EXPECT_GT(seen[half][2], 0) << "no dark blue pupil in half " << half;
  }
}

}  // namespace
