#include "watcher/eye_maths.h"

#include <cmath>

#include "platform/convert.h"

namespace watcher {

using platform::CheckedFloat;
using platform::SubChecked;

double EyeDistance(platform::POINT eye, platform::POINT cursor) {
  const auto dx = static_cast<double>(SubChecked(eye.x, cursor.x));
  const auto dy = static_cast<double>(SubChecked(eye.y, cursor.y));
  return std::sqrt(CheckedFloat(std::pow(dx, 2.0) + std::pow(dy, 2.0)));
}

double DirectionComponent(std::int32_t eye, std::int32_t cursor, double distance) {
  return static_cast<double>(SubChecked(eye, cursor)) / distance;
}

float PupilCoordinate(std::int32_t centre, double component) {
  return platform::ToSingle(CheckedFloat(centre - kPupilOffset * component));
}

}  // namespace watcher
