// The shipped picture as the tests expect to see it on the screen.
#pragma once

#include "platform/image.h"

namespace tobbelin_x11 {

// The picture decoded from the executable's own asset.
const platform::Image& Picture();
// 1 where the window must be solid (the picture's pixel differs from its
// top-left corner's, the see-through colour), 0 elsewhere.
platform::Image ExpectedShape();
// Whether (x, y) of the picture lies under one of the eyes the timer paints.
bool UnderAnEye(int x, int y);

}  // namespace tobbelin_x11
