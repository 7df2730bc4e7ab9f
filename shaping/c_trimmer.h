// Gives a window the outline of its picture, and moves the window by a press
// on it. Works on whatever window it is given; keeps no reference to it.
#pragma once

#include <cstdint>

#include "platform/forms.h"

namespace shaping {

class cTrimmer {
 public:
  // Starts a move of the window that follows the pointer until the left
  // button goes up.
  void GrabForm(platform::Form& form);
  // Makes every pixel of the window's picture that differs from its top-left
  // pixel the window's shape; the rest is see-through. Nothing without a
  // picture. Failures pass to the caller.
  void TrimForm(platform::Form& form);

 private:
  void AddRun(std::int32_t& RunStart, std::int32_t top, std::int32_t right, std::int32_t bottom);

  platform::Hrgn ShapeRgn = 0;
  platform::Hrgn RunRgn = 0;
};

}  // namespace shaping
