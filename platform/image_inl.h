// Template part of image.h.
#pragma once

#include <algorithm>
#include <cmath>

namespace platform {

// A pixel coordinate from a double, kept within int range first.
inline int ClampToInt(double v) {
  return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

template <class UnderFn>
void FillCircle(Image& image, double cx, double cy, double radius, Colour fill, Colour rim,
                UnderFn&& below) {
  if (!(radius > 0.0)) return;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
  const int x0 = std::max(0, ClampToInt(std::floor(cx - radius - 1.0)));
  const int y0 = std::max(0, ClampToInt(std::floor(cy - radius - 1.0)));
  const int x1 = std::min(image.width() - 1, ClampToInt(std::ceil(cx + radius + 1.0)));
  const int y1 = std::min(image.height() - 1, ClampToInt(std::ceil(cy + radius + 1.0)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double dx = x - cx;
      const double dy = y - cy;
      const double d = std::sqrt(dx * dx + dy * dy);
      // Coverage of a pixel by a disc, from the distance of its centre: full
      // within r - 0.5, none beyond r + 0.5, linear between.
      const double outer = std::clamp(radius + 0.5 - d, 0.0, 1.0);
      if (outer <= 0.0) continue;
      const double inner = std::clamp(radius - 0.5 - d, 0.0, 1.0);
      const Colour under = Blend(below(x, y), rim, outer);
      image.set(x, y, inner > 0.0 ? Blend(under, fill, inner) : under);
    }
  }
}

}  // namespace platform
