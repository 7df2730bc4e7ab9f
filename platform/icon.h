// Reads a Windows .ico file into plain pixels, for window managers that take
// the icon as an ARGB array rather than as a resource.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

struct IconImage {
  int width = 0;
  int height = 0;
  // 0xAARRGGBB, rows from the top. Pixels the mask hides have alpha 0, the
  // rest 255; a 32-bit image with an alpha channel of its own keeps it.
  std::vector<std::uint32_t> argb;
};

// Decodes the first image of an .ico file: an uncompressed BMP-style image of
// 1, 4 or 8 bits a pixel with a palette, or 24 or 32 bits, followed by its
// 1-bit AND mask. PNG-compressed entries, other formats and damaged files
// give no image.
std::optional<IconImage> DecodeIco(std::span<const std::uint8_t> file);

}  // namespace platform
