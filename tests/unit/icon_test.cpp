// Reading .ico files for the X11 window icon.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/icon.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// An .ico with one image. `rows` are the stored colour rows (bottom-up, each
// already padded), `mask` the stored mask rows; `palette` is 0xRRGGBB.
Bytes MakeIco(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
              const Bytes& rows, const Bytes& mask) {
  Bytes image;
  Put32(image, 40);
  Put32(image, static_cast<std::uint32_t>(width));
  Put32(image, static_cast<std::uint32_t>(height * 2));
  Put16(image, 1);
  Put16(image, static_cast<unsigned>(bits));
  Put32(image, 0);
  Put32(image, static_cast<std::uint32_t>(rows.size() + mask.size()));
  Put32(image, 0);
  Put32(image, 0);
  Put32(image, static_cast<std::uint32_t>(palette.size()));
  Put32(image, 0);
  for (std::uint32_t rgb : palette) Put32(image, rgb);  // stored B, G, R, 0
  image.insert(image.end(), rows.begin(), rows.end());
  image.insert(image.end(), mask.begin(), mask.end());

  Bytes file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 1);
  file.push_back(static_cast<std::uint8_t>(width));
  file.push_back(static_cast<std::uint8_t>(height));
  file.push_back(0);
  file.push_back(0);
  Put16(file, 1);
  Put16(file, static_cast<unsigned>(bits));
  Put32(file, static_cast<std::uint32_t>(image.size()));
  Put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

// 2 x 2, 24 bits: bottom row blue, green; top row red, white. The top-left
// pixel is masked.
Bytes TwoByTwo24() {
  const Bytes rows = {0xFF, 0, 0,    0,    0xFF, 0,    0, 0,   // bottom: blue, green, pad
                      0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};  // top: red, white, pad
  const Bytes mask = {0x00, 0, 0, 0, 0x80, 0, 0, 0};           // bottom row clear, top-left masked
  return MakeIco(2, 2, 24, {}, rows, mask);
}

TEST(DecodeIco, ReadsTrueColourRowsFromTheTop) {
  const auto icon = platform::DecodeIco(TwoByTwo24());
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width, 2);
  EXPECT_EQ(icon->height, 2);
  EXPECT_EQ(icon->argb,
            (std::vector<std::uint32_t>{0x00FF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}));
}

TEST(DecodeIco, ReadsPalettedPixelsHighNibbleFirst) {
  // 3 x 1, 4 bits: indices 1, 2, 0 (one pad nibble, then padding to 4 bytes).
  const Bytes rows = {0x12, 0x00, 0, 0};
  const Bytes mask = {0x20, 0, 0, 0};  // the third pixel is masked
  const auto icon =
      platform::DecodeIco(MakeIco(3, 1, 4, {0x000000, 0x123456, 0xABCDEF}, rows, mask));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->argb, (std::vector<std::uint32_t>{0xFF123456, 0xFFABCDEF, 0x00000000}));

  const auto eightBit =
      platform::DecodeIco(MakeIco(1, 1, 8, {0x000000, 0x0000FF}, {1, 0, 0, 0}, {0, 0, 0, 0}));
  ASSERT_TRUE(eightBit);
  EXPECT_EQ(eightBit->argb, std::vector<std::uint32_t>{0xFF0000FF});
}

TEST(DecodeIco, ThirtyTwoBitsKeepTheirAlphaUnlessItIsAllZero) {
  const Bytes mask = {0x80, 0, 0, 0};  // says: hidden
  const auto withAlpha = platform::DecodeIco(MakeIco(1, 1, 32, {}, {0x30, 0x20, 0x10, 0x80}, mask));
  ASSERT_TRUE(withAlpha);
  EXPECT_EQ(withAlpha->argb, std::vector<std::uint32_t>{0x80102030});

  const auto noAlpha = platform::DecodeIco(MakeIco(1, 1, 32, {}, {0x30, 0x20, 0x10, 0}, mask));
  ASSERT_TRUE(noAlpha);
  EXPECT_EQ(noAlpha->argb, std::vector<std::uint32_t>{0x00102030});
}

TEST(DecodeIco, RejectsDamagedFiles) {
  const Bytes good = TwoByTwo24();
  ASSERT_TRUE(platform::DecodeIco(good));
  struct Case {
    std::string name;
    Bytes file;
  };
  std::vector<Case> cases;
  auto edited = [&](std::string name, std::size_t at, std::uint8_t value) {
    Bytes file = good;
    file[at] = value;
    cases.push_back({std::move(name), file});
  };
  cases.push_back({"empty", {}});
  cases.push_back({"directory only", Bytes(good.begin(), good.begin() + 6)});
  cases.push_back({"truncated pixels", Bytes(good.begin(), good.end() - 1)});
  edited("not an icon (type 2, a cursor)", 2, 2);
  edited("reserved word set", 0, 1);
  edited("zero entries", 4, 0);
  edited("image past the end", 6 + 12, 0xF0);
  edited("odd stored height", 22 + 8, 3);
  edited("16 bits a pixel", 22 + 14, 16);
  edited("compressed", 22 + 16, 1);
  edited("header size too small", 22, 12);
  {
    Bytes png = good;
    const Bytes signature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::copy(signature.begin(), signature.end(), png.begin() + 22);
    cases.push_back({"PNG entry", png});
  }
  cases.push_back({"palette index past the palette",
                   MakeIco(1, 1, 8, {0x000000, 0x0000FF}, {2, 0, 0, 0}, {0, 0, 0, 0})});
  cases.push_back({"palette larger than the bits allow",
                   MakeIco(1, 1, 1, {0, 1, 2}, {0, 0, 0, 0}, {0, 0, 0, 0})});

  for (const Case& c : cases) {
    EXPECT_FALSE(platform::DecodeIco(c.file)) << c.name;
  }
}

}  // namespace
