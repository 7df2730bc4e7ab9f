#include "platform/icon.h"

#include <cstddef>

namespace platform {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kMaxSide = 256;  // the largest an .ico entry can describe

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint32_t Argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
         (static_cast<std::uint32_t>(g) << 8) | b;
}

}  // namespace

std::optional<IconImage> DecodeIco(std::span<const std::uint8_t> file) {
  if (file.size() < kDirectorySize + kEntrySize) return std::nullopt;
  if (Le16(file, 0) != 0 || Le16(file, 2) != 1 || Le16(file, 4) == 0) return std::nullopt;

  const std::uint32_t resourceSize = Le32(file, kDirectorySize + 8);
  const std::uint32_t resourceOffset = Le32(file, kDirectorySize + 12);
  if (resourceOffset > file.size() || resourceSize > file.size() - resourceOffset) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> image = file.subspan(resourceOffset, resourceSize);
  if (image.size() < kInfoHeaderSize) return std::nullopt;

  const std::uint32_t headerSize = Le32(image, 0);
  const auto width = static_cast<std::int32_t>(Le32(image, 4));
  const auto doubledHeight = static_cast<std::int32_t>(Le32(image, 8));
  const std::uint16_t planes = Le16(image, 12);
  const std::uint16_t bits = Le16(image, 14);
  const std::uint32_t compression = Le32(image, 16);
  std::uint32_t coloursUsed = Le32(image, 32);
  // The height counts the colour rows and the mask rows together.
  if (headerSize < kInfoHeaderSize || headerSize > image.size()) return std::nullopt;
  if (planes != 1 || compression != 0) return std::nullopt;
  if (width <= 0 || width > kMaxSide || doubledHeight <= 0 || doubledHeight % 2 != 0 ||
      doubledHeight / 2 > kMaxSide) {
    return std::nullopt;
  }
  const int height = doubledHeight / 2;
  const bool paletted = bits == 1 || bits == 4 || bits == 8;
  if (!paletted && bits != 24 && bits != 32) return std::nullopt;

  std::size_t at = headerSize;
  std::vector<std::uint32_t> palette;
  if (paletted) {
    const std::uint32_t maxColours = 1u << bits;
    if (coloursUsed == 0) coloursUsed = maxColours;
    if (coloursUsed > maxColours) return std::nullopt;
    if ((image.size() - at) / 4 < coloursUsed) return std::nullopt;
    for (std::uint32_t i = 0; i < coloursUsed; ++i, at += 4) {
      palette.push_back(Argb(255, image[at + 2], image[at + 1], image[at]));
    }
  }

  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const std::size_t colourStride = (w * bits + 31) / 32 * 4;
  const std::size_t maskStride = (w + 31) / 32 * 4;
  if (image.size() - at < colourStride * h + maskStride * h) return std::nullopt;
  const std::size_t colourStart = at;
  const std::size_t maskStart = at + colourStride * h;

  IconImage result;
  result.width = width;
  result.height = height;
  result.argb.resize(w * h);
  bool anyAlpha = false;
  for (std::size_t row = 0; row < h; ++row) {
    const std::size_t y = h - 1 - row;  // stored bottom-up
    const std::size_t line = colourStart + row * colourStride;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t pixel = 0;
      if (paletted) {
        const std::size_t bitOffset = x * bits;
        const std::uint8_t byte = image[line + bitOffset / 8];
        const unsigned shift = 8 - bits - static_cast<unsigned>(bitOffset % 8);
        const unsigned index = (byte >> shift) & ((1u << bits) - 1);
        if (index >= palette.size()) return std::nullopt;
        pixel = palette[index];
      } else {
        const std::size_t p = line + x * (bits / 8);
        const std::uint8_t alpha = bits == 32 ? image[p + 3] : 255;
        anyAlpha = anyAlpha || (bits == 32 && alpha != 0);
        pixel = Argb(alpha, image[p + 2], image[p + 1], image[p]);
      }
      result.argb[y * w + x] = pixel;
    }
  }

  // A 32-bit image whose alpha is not all zero carries its own transparency;
  // everything else takes it from the mask.
  if (bits == 32 && anyAlpha) return result;
  for (std::size_t row = 0; row < h; ++row) {
    const std::size_t y = h - 1 - row;
    const std::size_t line = maskStart + row * maskStride;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t& pixel = result.argb[y * w + x];
      const bool hidden = (image[line + x / 8] >> (7 - x % 8)) & 1;
      pixel = hidden ? (pixel & 0x00FFFFFFu) : (pixel | 0xFF000000u);
    }
  }
  return result;
}

}  // namespace platform
