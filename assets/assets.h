// The watcher window's picture and icon, built into the executable.
#pragma once

#include <cstdint>
#include <span>

namespace assets {

// The dog's head: an uncompressed 24-bit .bmp, 277 x 220, black background.
std::span<const std::uint8_t> PictureBmp();
// The eyes icon: a .ico with one 32 x 32, 16-colour image and its mask.
std::span<const std::uint8_t> IconIco();

}  // namespace assets
