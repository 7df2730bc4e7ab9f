#include "platform/image.h"

#include <cmath>

namespace platform {

void Image::Draw(const Image& source, int x, int y) {
  for (int sy = 0; sy < source.height(); ++sy) {
    for (int sx = 0; sx < source.width(); ++sx) {
      if (Contains(x + sx, y + sy)) set(x + sx, y + sy, source.at(sx, sy));
    }
  }
}

Colour Blend(Colour under, Colour over, double coverage) {
  if (coverage >= 1.0) return over;
  if (coverage <= 0.0) return under;
  // In 1/256ths, in integers: this runs for every edge pixel of every tick.
  const int weight = static_cast<int>(coverage * 256.0);
  auto mix = [weight](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>((a * (256 - weight) + b * weight + 128) >> 8);
  };
  return Rgb(mix(Red(under), Red(over)), mix(Green(under), Green(over)),
             mix(Blue(under), Blue(over)));
}

namespace {

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

std::optional<Image> DecodeBmp(std::span<const std::uint8_t> file) {
  constexpr std::size_t kFileHeader = 14;
  if (file.size() < kFileHeader + 40 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const std::uint32_t dataOffset = Le32(file, 10);
  const std::uint32_t infoSize = Le32(file, kFileHeader);
  if (infoSize < 40) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Le32(file, kFileHeader + 4));
  const auto rawHeight = static_cast<std::int32_t>(Le32(file, kFileHeader + 8));
  const std::uint16_t bits = Le16(file, kFileHeader + 14);
  const std::uint32_t compression = Le32(file, kFileHeader + 16);
  if (bits != 24 || compression != 0 || width <= 0 || rawHeight == 0) return std::nullopt;
  if (width > 32768 || rawHeight > 32768 || rawHeight < -32768) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (dataOffset > file.size() || file.size() - dataOffset < stride * height) return std::nullopt;
  Image image(width, height);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t base = dataOffset + stride * static_cast<std::size_t>(row);
    for (int x = 0; x < width; ++x) {
      const std::size_t p = base + static_cast<std::size_t>(x) * 3;
      image.set(x, y, Rgb(file[p + 2], file[p + 1], file[p]));
    }
  }
  return image;
}

}  // namespace platform
