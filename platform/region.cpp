#include "platform/region.h"

#include <algorithm>

namespace platform {

Region Region::Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  Region region;
  if (left < right && top < bottom) region.bands_.push_back({top, bottom, {{left, right}}});
  return region;
}

Region Region::Union(const Region& a, const Region& b) {
  // Every band edge of either region starts a new stretch of rows in which
  // both regions' spans stay the same.
  std::vector<std::int32_t> edges;
  for (const Region* r : {&a, &b}) {
    for (const Band& band : r->bands_) {
      edges.push_back(band.top);
      edges.push_back(band.bottom);
    }
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  Region result;
  std::size_t next[2] = {0, 0};  // the first band of a and of b not yet passed
  const Region* sources[2] = {&a, &b};
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    const std::int32_t top = edges[i];
    std::vector<Span> spans;
    for (int k = 0; k < 2; ++k) {
      const auto& bands = sources[k]->bands_;
      while (next[k] < bands.size() && bands[next[k]].bottom <= top) ++next[k];
      if (next[k] < bands.size() && bands[next[k]].top <= top) {
        spans.insert(spans.end(), bands[next[k]].spans.begin(), bands[next[k]].spans.end());
      }
    }
    if (spans.empty()) continue;
    std::sort(spans.begin(), spans.end(),
              [](const Span& l, const Span& r) { return l.left < r.left; });
    std::vector<Span> merged;
    for (const Span& s : spans) {
      if (!merged.empty() && s.left <= merged.back().right) {
        merged.back().right = std::max(merged.back().right, s.right);
      } else {
        merged.push_back(s);
      }
    }
    // Join with the band above when it is adjacent and alike.
    if (!result.bands_.empty() && result.bands_.back().bottom == top &&
        result.bands_.back().spans == merged) {
      result.bands_.back().bottom = edges[i + 1];
    } else {
      result.bands_.push_back({top, edges[i + 1], std::move(merged)});
    }
  }
  return result;
}

void Region::Add(const Region& other) {
  const bool oneRectangle = other.bands_.size() == 1 && other.bands_[0].spans.size() == 1;
  if (!oneRectangle || bands_.empty()) {
    *this = Union(*this, other);
    return;
  }
  const std::int32_t top = other.bands_[0].top;
  const std::int32_t bottom = other.bands_[0].bottom;
  const Span span = other.bands_[0].spans[0];
  Band& last = bands_.back();
  if (top >= last.bottom) {
    bands_.push_back({top, bottom, {span}});
  } else if (bottom == last.bottom && top >= last.top && span.left >= last.spans.back().left) {
    if (top > last.top) {  // the rows above the rectangle keep their spans
      Band lower{top, bottom, last.spans};
      last.bottom = top;
      bands_.push_back(std::move(lower));
    }
    std::vector<Span>& spans = bands_.back().spans;
    if (span.left <= spans.back().right) {
      spans.back().right = std::max(spans.back().right, span.right);
    } else {
      spans.push_back(span);
    }
  } else {
    *this = Union(*this, other);
    return;
  }
  // Join the last band with the one above when they are adjacent and alike.
  if (bands_.size() >= 2) {
    Band& above = bands_[bands_.size() - 2];
    if (above.bottom == bands_.back().top && above.spans == bands_.back().spans) {
      above.bottom = bands_.back().bottom;
      bands_.pop_back();
    }
  }
}

bool Region::Contains(std::int32_t x, std::int32_t y) const {
  const auto band = std::find_if(bands_.begin(), bands_.end(),
                                 [y](const Band& b) { return b.top <= y && y < b.bottom; });
  if (band == bands_.end()) return false;
  return std::any_of(band->spans.begin(), band->spans.end(),
                     [x](const Span& s) { return s.left <= x && x < s.right; });
}

std::vector<RECT> Region::Rectangles() const {
  std::vector<RECT> rects;
  for (const Band& band : bands_) {
    for (const Span& s : band.spans) rects.push_back({s.left, band.top, s.right, band.bottom});
  }
  return rects;
}

RECT Region::Bounds() const {
  if (bands_.empty()) return {};
  RECT bounds{bands_.front().spans.front().left, bands_.front().top,
              bands_.front().spans.back().right, bands_.back().bottom};
  for (const Band& band : bands_) {
    bounds.left = std::min(bounds.left, band.spans.front().left);
    bounds.right = std::max(bounds.right, band.spans.back().right);
  }
  return bounds;
}

std::int64_t Region::Area() const {
  std::int64_t area = 0;
  for (const Band& band : bands_) {
    for (const Span& s : band.spans) {
      area += (static_cast<std::int64_t>(s.right) - s.left) *
              (static_cast<std::int64_t>(band.bottom) - band.top);
    }
  }
  return area;
}

std::int32_t Region::Complexity() const {
  if (bands_.empty()) return NULLREGION;
  if (bands_.size() == 1 && bands_.front().spans.size() == 1) return SIMPLEREGION;
  return COMPLEXREGION;
}

}  // namespace platform
