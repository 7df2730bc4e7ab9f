// The arithmetic of the eye tracking: from the window's corner and the
// pointer to the pupils' centres. No system calls; failures raise Failure.
#pragma once

#include <cstdint>

#include "platform/image.h"
#include "platform/win_types.h"

namespace watcher {

// On the drawing surface, pixels.
inline constexpr platform::POINT kLeftEyeCentre{94, 68};
inline constexpr platform::POINT kRightEyeCentre{180, 68};
inline constexpr float kEyeballRadius = 9;
inline constexpr float kPupilRadius = 5;
inline constexpr double kPupilOffset = 4;
inline constexpr platform::Colour kEyeballColour = 0x0080C0FF;  // 8438015
inline constexpr platform::Colour kPupilColour = 0;
inline constexpr platform::Colour kPupilRimColour = 0x2A60;  // 10848

// The distance from the pointer to an eye's centre, screen pixels. Fails on
// 32-bit overflow of a difference or an invalid sum.
double EyeDistance(platform::POINT eye, platform::POINT cursor);

// One component of the unit vector from the pointer to the eye.
double DirectionComponent(std::int32_t eye, std::int32_t cursor, double distance);

// A pupil centre's coordinate on the drawing surface: centre - 4 x component,
// as the 32-bit float the circle is drawn at.
float PupilCoordinate(std::int32_t centre, double component);

}  // namespace watcher
