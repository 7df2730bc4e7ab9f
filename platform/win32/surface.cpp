#include "platform/win32/surface.h"

#include <algorithm>

#include "platform/failure.h"

namespace platform::win32 {

Surface::Surface(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top, as in Image
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = ::CreateCompatibleDC(nullptr);
  if (dc_ != nullptr) {
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (bitmap_ == nullptr || bits == nullptr) {
    if (dc_ != nullptr) ::DeleteDC(dc_);
    Fail(Failure::Kind::Unreachable, "cannot make the window's bitmap");
  }
  bits_ = static_cast<std::uint32_t*>(bits);
  previous_ = ::SelectObject(dc_, bitmap_);
}

Surface::~Surface() {
  ::SelectObject(dc_, previous_);
  ::DeleteObject(bitmap_);
  ::DeleteDC(dc_);
}

void Surface::Copy(const Image& image, const ::RECT& area) {
  if (image.width() != width_ || image.height() != height_) {
    Fail(Failure::Kind::InvalidValue, "picture and window differ in size");
  }
  const int left = std::max(0, static_cast<int>(area.left));
  const int right = std::min(width_, static_cast<int>(area.right));
  for (int y = std::max(0, static_cast<int>(area.top));
       y < std::min(height_, static_cast<int>(area.bottom)); ++y) {
    for (int x = left; x < right; ++x) {
      // Image holds 0x00BBGGRR, the bitmap 0x00RRGGBB.
      const Colour c = image.at(x, y);
      bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] =
          ((c & 0xFFU) << 16) | (c & 0xFF00U) | ((c >> 16) & 0xFFU);
    }
  }
  ::GdiFlush();  // the bitmap's memory is written behind GDI's back
}

void Surface::Paint(HDC target, const ::RECT& area) const {
  ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
           area.left, area.top, SRCCOPY);
}

}  // namespace platform::win32
