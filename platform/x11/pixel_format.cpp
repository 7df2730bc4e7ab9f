#include "platform/x11/pixel_format.h"

namespace platform::x11 {

PixelFormat::Channel PixelFormat::FromMask(unsigned long mask) {
  Channel channel;
  if (mask == 0) return channel;
  while ((mask & 1UL) == 0) {
    mask >>= 1;
    ++channel.shift;
  }
  while ((mask & 1UL) != 0) {
    mask >>= 1;
    ++channel.bits;
  }
  return channel;
}

PixelFormat::PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : red_(FromMask(redMask)), green_(FromMask(greenMask)), blue_(FromMask(blueMask)) {
  for (unsigned v = 0; v < 256; ++v) {
    const auto value = static_cast<std::uint8_t>(v);
    packed_[0][v] = red_.Pack(value);
    packed_[1][v] = green_.Pack(value);
    packed_[2][v] = blue_.Pack(value);
  }
}

unsigned long PixelFormat::Channel::Pack(std::uint8_t value) const {
  if (bits == 0) return 0;
  unsigned long scaled = value;
  if (bits < 8) {
    scaled >>= 8 - bits;
  } else {
    // Repeat the bits so that 0xFF becomes all ones, not 0xFF00...
    for (unsigned have = 8; have < bits; have += 8) scaled = (scaled << 8) | value;
    scaled >>= (bits + 7) / 8 * 8 - bits;
  }
  return scaled << shift;
}

std::uint8_t PixelFormat::Channel::Unpack(unsigned long pixel) const {
  if (bits == 0) return 0;
  const unsigned long value = (pixel >> shift) & ((1UL << bits) - 1);
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  // Spread the high bits into the low ones so that all ones reads as 0xFF.
  unsigned long wide = 0;
  for (int have = 0; have < 8; have += static_cast<int>(bits)) wide = (wide << bits) | value;
  const unsigned spread = (8 + bits - 1) / bits * bits;
  return static_cast<std::uint8_t>(wide >> (spread - 8));
}

unsigned long PixelFormat::Pack(Colour colour) const {
  return packed_[0][Red(colour)] | packed_[1][Green(colour)] | packed_[2][Blue(colour)];
}

Colour PixelFormat::Unpack(unsigned long pixel) const {
  return Rgb(red_.Unpack(pixel), green_.Unpack(pixel), blue_.Unpack(pixel));
}

}  // namespace platform::x11
