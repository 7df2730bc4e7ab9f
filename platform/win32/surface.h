// A window's picture off screen: a 32-bit bitmap in a memory device context,
// filled in one go and copied to the window whenever it needs painting.
#pragma once

// Our headers first: <windows.h> defines macros named like constants of ours.
#include "platform/image.h"

#include <windows.h>

#include <cstdint>

namespace platform::win32 {

class Surface {
 public:
  // Raises Failure when the bitmap cannot be made.
  Surface(int width, int height);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // Takes the picture, which must be of the surface's size.
  // Takes the pixels of `area` from the picture, which has the surface's size.
  void Copy(const Image& image, const ::RECT& area);
  // Copies the part `area` (client pixels) to `target`.
  void Paint(HDC target, const ::RECT& area) const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace platform::win32
