#include "tests/x11/picture.h"

#include <stdexcept>

#include "assets/assets.h"
#include "watcher/eye_maths.h"

namespace tobbelin_x11 {

const platform::Image& Picture() {
  static const platform::Image picture = [] {
    auto decoded = platform::DecodeBmp(assets::PictureBmp());
    if (!decoded) throw std::runtime_error("the shipped picture does not decode");
    return *decoded;
  }();
  return picture;
}

platform::Image ExpectedShape() {
  const platform::Image& picture = Picture();
  const platform::Colour key = picture.at(0, 0);
  platform::Image shape(picture.width(), picture.height(), 0);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.at(x, y) != key) shape.set(x, y, 1);
    }
  }
  return shape;
}

bool UnderAnEye(int x, int y) {
  const int reach = static_cast<int>(watcher::kEyeballRadius) + 2;
  for (const platform::POINT eye : {watcher::kLeftEyeCentre, watcher::kRightEyeCentre}) {
    if (std::abs(x - eye.x) <= reach && std::abs(y - eye.y) <= reach) return true;
  }
  return false;
}

}  // namespace tobbelin_x11
