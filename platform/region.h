// A region of the plane made of whole pixels: what window shapes are built
// from where the system has no region objects of its own. Kept as y-bands of
// sorted, disjoint x-spans, the layout window systems take shapes in.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win_types.h"

namespace platform {

class Region {
 public:
  Region() = default;
  // The rectangle [left, right) x [top, bottom); empty when either side is <= 0.
  static Region Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

  static Region Union(const Region& a, const Region& b);
  // This region becomes its union with `other`, in place. Quick for what a
  // row-by-row scan adds: rectangles below, or right of, all there is.
  void Add(const Region& other);

  bool Empty() const { return bands_.empty(); }
  bool Contains(std::int32_t x, std::int32_t y) const;
  // Banded rectangles: sorted by top, then left; bands never overlap.
  std::vector<RECT> Rectangles() const;
  RECT Bounds() const;
  std::int64_t Area() const;
  // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
  std::int32_t Complexity() const;

  bool operator==(const Region&) const = default;

 private:
  struct Span {
    std::int32_t left;
    std::int32_t right;
    bool operator==(const Span&) const = default;
  };
  struct Band {
    std::int32_t top;
    std::int32_t bottom;
    std::vector<Span> spans;
    bool operator==(const Band&) const = default;
  };
  std::vector<Band> bands_;
};

}  // namespace platform
