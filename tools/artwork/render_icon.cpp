// Writes the program icon: a pair of eyes, 32 x 32, 16 colours with a mask.
//
//   g++ -std=c++17 -O2 -o /tmp/render_icon tools/artwork/render_icon.cpp
//   /tmp/render_icon assets/eyes.ico
//
// The picture is drawn below as text, one character a pixel, so that it can
// be edited by hand; the output is the same byte for byte on every run.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

// The standard 16-colour VGA palette, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// One eye, 14 x 10. '.' is see-through; K black, G grey, L light grey,
// W white, B blue, D dark blue.
constexpr std::array<const char*, 10> kEye = {
    "....KKKKKK....",  //
    "..KKLLWWWWKK..",  //
    ".KLWWBBBBWWWK.",  //
    "KWWWBBDDBBWWWK",  //
    "KWWBBWDDDBBWWK",  //
    "GWWBBDDDDBBWWG",  //
    "GWWWBBDDBBWWWG",  //
    ".GWWWBBBBWWWG.",  //
    "..GGWWWWWWGG..",  //
    "....GGGGGG....",  //
};
constexpr int kEyeWidth = 14;
constexpr int kTop = 10;                       // first row of the eyes
constexpr std::array<int, 2> kLeft = {1, 17};  // first column of each eye

int PaletteIndex(char c) {
  switch (c) {
    case 'K':
      return 0;
    case 'L':
      return 7;
    case 'G':
      return 8;
    case 'W':
      return 15;
    case 'B':
      return 12;
    case 'D':
      return 4;
    default:
      return -1;  // see-through
  }
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }

  // Palette index per pixel, -1 for see-through; rows from the top.
  std::array<std::array<int, kSize>, kSize> pixels{};
  for (auto& row : pixels) row.fill(-1);
  for (int y = 0; y < static_cast<int>(kEye.size()); ++y) {
    for (int x = 0; x < kEyeWidth; ++x) {
      for (int left : kLeft) pixels[kTop + y][left + x] = PaletteIndex(kEye[y][x]);
    }
  }

  constexpr std::uint32_t kColourStride = kSize / 2;  // 4 bits a pixel, already a multiple of 4
  constexpr std::uint32_t kMaskStride = 4;            // 1 bit a pixel, padded to 4 bytes
  constexpr std::uint32_t kInfoSize = 40;
  constexpr std::uint32_t kImageSize =
      kInfoSize + 16 * 4 + kColourStride * kSize + kMaskStride * kSize;

  std::vector<std::uint8_t> out;
  // Directory: reserved, type 1 (icon), one entry.
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  // The entry.
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(16);  // colours
  out.push_back(0);   // reserved
  Put16(out, 1);      // planes
  Put16(out, 4);      // bits a pixel
  Put32(out, kImageSize);
  Put32(out, 6 + 16);  // where the image starts
  // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
  Put32(out, kInfoSize);
  Put32(out, kSize);
  Put32(out, kSize * 2);
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);  // BI_RGB
  Put32(out, kColourStride * kSize + kMaskStride * kSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 16);
  Put32(out, 0);
  for (std::uint32_t rgb : kPalette) {
    out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
    out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
    out.push_back(0);
  }
  // Colour rows, bottom-up, high nibble first; see-through pixels are index 0.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2) {
      const int a = pixels[y][x] < 0 ? 0 : pixels[y][x];
      const int b = pixels[y][x + 1] < 0 ? 0 : pixels[y][x + 1];
      out.push_back(static_cast<std::uint8_t>((a << 4) | b));
    }
  }
  // Mask rows, bottom-up, most significant bit first; 1 is see-through.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int byte = 0; byte < kSize / 8; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if (pixels[y][byte * 8 + bit] < 0) bits |= static_cast<std::uint8_t>(0x80 >> bit);
      }
      out.push_back(bits);
    }
  }
  if (out.size() != 6 + 16 + kImageSize) {
    std::fprintf(stderr, "internal error: wrote %zu bytes\n", out.size());
    return 1;
  }

  std::ofstream file(argv[1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
