// A plain in-memory picture: 32-bit colours laid out 0x00BBGGRR (red in the
// low byte), rows from the top. The form runtime keeps a window's images in it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr std::uint8_t Red(Colour c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t Green(Colour c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t Blue(Colour c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

class Image {
 public:
  Image() = default;
  Image(int width, int height, Colour fill = 0)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour at(int x, int y) const { return pixels_[Index(x, y)]; }
  void set(int x, int y, Colour c) { pixels_[Index(x, y)] = c; }
  const std::vector<Colour>& pixels() const { return pixels_; }

  // Copies `source` with its top-left pixel at (x, y), clipped to this image.
  void Draw(const Image& source, int x, int y);

  bool operator==(const Image&) const = default;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
};

// Decodes an uncompressed 24-bit Windows bitmap (.bmp), bottom-up or top-down.
// Anything else, or a damaged file, gives no image.
std::optional<Image> DecodeBmp(std::span<const std::uint8_t> file);

// A filled circle with a one-pixel rim, anti-aliased at a fractional centre.
// Coordinates are pixels, (cx, cy) naming the centre of pixel (cx, cy) when
// whole. `below(x, y)` is asked once for every pixel the circle touches and
// says what lies underneath; partly covered edge pixels blend over it.
template <class UnderFn>
void FillCircle(Image& image, double cx, double cy, double radius, Colour fill, Colour rim,
                UnderFn&& below);

Colour Blend(Colour under, Colour over, double coverage);

}  // namespace platform

#include "platform/image_inl.h"
