// The eye tracking: every tick, both eyes painted anew, each pupil 4 pixels
// from its eye's centre towards the pointer. Each statement carries on past a
// failure, leaving the previous tick's value in place.
#include "platform/convert.h"
#include "platform/failure.h"
#include "platform/win_api.h"
#include "watcher/eye_maths.h"
#include "watcher/f_wendrel.h"

namespace watcher {

void fWendrel::tmr_Timer() {
  using platform::AddChecked;
  using platform::CarryOn;
  namespace api = platform::api;
  const auto L = kLeftEyeCentre;
  const auto R = kRightEyeCentre;

  CarryOn([&] { api::GetWindowRect(hWnd(), &WinRect); });
  CarryOn([&] { LeftEye.x = AddChecked(WinRect.left, L.x); });
  CarryOn([&] { LeftEye.y = AddChecked(WinRect.top, L.y); });
  CarryOn([&] { RightEye.x = AddChecked(WinRect.left, R.x); });
  CarryOn([&] { RightEye.y = AddChecked(WinRect.top, R.y); });
  CarryOn([&] { api::GetCursorPos(&CursorPos); });

  CarryOn([&] { LeftDist = EyeDistance(LeftEye, CursorPos); });
  CarryOn([&] { RightDist = EyeDistance(RightEye, CursorPos); });
  CarryOn([&] {
    if (LeftDist == 0.0) LeftDist = 1.0;
  });
  CarryOn([&] {
    if (RightDist == 0.0) RightDist = 1.0;
  });

  CarryOn([&] { LeftDirY = DirectionComponent(LeftEye.y, CursorPos.y, LeftDist); });
  CarryOn([&] { LeftDirX = DirectionComponent(LeftEye.x, CursorPos.x, LeftDist); });
  CarryOn([&] { RightDirY = DirectionComponent(RightEye.y, CursorPos.y, RightDist); });
  CarryOn([&] { RightDirX = DirectionComponent(RightEye.x, CursorPos.x, RightDist); });

  const auto F = [](std::int32_t v) { return static_cast<float>(v); };
  CarryOn([&] { SetFillColor(kEyeballColour); });
  CarryOn([&] { Circle(F(L.x), F(L.y), kEyeballRadius, kEyeballColour); });
  CarryOn([&] { Circle(F(R.x), F(R.y), kEyeballRadius, kEyeballColour); });
  CarryOn([&] { SetFillColor(kPupilColour); });
  CarryOn([&] {
    Circle(PupilCoordinate(L.x, LeftDirX), PupilCoordinate(L.y, LeftDirY), kPupilRadius,
           kPupilRimColour);
  });
  CarryOn([&] {
    Circle(PupilCoordinate(R.x, RightDirX), PupilCoordinate(R.y, RightDirY), kPupilRadius,
           kPupilRimColour);
  });
}

}  // namespace watcher
