// The handful of Windows-style types and constants the program's logic speaks
// in. Our own declarations, laid out as the Windows structures are, so the
// Windows backend can pass them straight through.
#pragma once

#include <cstdint>

namespace platform {

using Hwnd = std::intptr_t;  // a window's system handle; 0 is none
using Hrgn = std::intptr_t;  // a region handle; 0 is none

struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct RECT {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct SIZE {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

inline constexpr Hwnd HWND_TOPMOST = -1;
inline constexpr std::uint32_t SWP_NOSIZE = 0x1;
inline constexpr std::uint32_t SWP_NOMOVE = 0x2;
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x10;
inline constexpr std::uint32_t WM_NCLBUTTONDOWN = 0xA1;
inline constexpr std::uintptr_t HTCAPTION = 2;
inline constexpr std::int32_t RGN_OR = 2;
// CombineRgn's results.
inline constexpr std::int32_t RGN_ERROR = 0;
inline constexpr std::int32_t NULLREGION = 1;
inline constexpr std::int32_t SIMPLEREGION = 2;
inline constexpr std::int32_t COMPLEXREGION = 3;

}  // namespace platform
