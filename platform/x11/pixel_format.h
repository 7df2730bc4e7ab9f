// How a TrueColor visual packs red, green and blue into a pixel value, from
// its channel masks. Pure: no display needed.
#pragma once

#include <array>
#include <cstdint>

#include "platform/image.h"

namespace platform::x11 {

class PixelFormat {
 public:
  PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

  // The pixel value of a 0x00BBGGRR colour; channels narrower than 8 bits
  // keep their high bits, wider ones are scaled up.
  unsigned long Pack(Colour colour) const;
  // The colour of a pixel value, for reading the screen back.
  Colour Unpack(unsigned long pixel) const;

 private:
  struct Channel {
    unsigned shift = 0;
    unsigned bits = 0;
    unsigned long Pack(std::uint8_t value) const;
    std::uint8_t Unpack(unsigned long pixel) const;
  };
  static Channel FromMask(unsigned long mask);
  Channel red_;
  Channel green_;
  Channel blue_;
  // Each channel's 256 packed values: packing a pixel is three look-ups,
  // as every tick packs a few thousand.
  std::array<std::array<unsigned long, 256>, 3> packed_{};
};

}  // namespace platform::x11
