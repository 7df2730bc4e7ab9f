#include "platform/x11/window_image.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform::x11 {

namespace {

int NativeByteOrder() {
  const std::uint32_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}

}  // namespace

WindowImage::WindowImage(Display* display, Window window, Visual* visual, int depth, int width,
                         int height)
    : display_(display),
      window_(window),
      format_(visual->red_mask, visual->green_mask, visual->blue_mask),
      pixmap_(XCreatePixmap(display, window, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), static_cast<unsigned>(depth))),
      gc_(XCreateGC(display, pixmap_, 0, nullptr)),
      staging_(XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0)),
      width_(width),
      height_(height) {
  // XDestroyImage frees the data with free().
  staging_->data = static_cast<char*>(
      std::calloc(static_cast<std::size_t>(staging_->bytes_per_line) * height, 1));
  // Copies between our own drawables need no exposure reports.
  XSetGraphicsExposures(display, gc_, False);
  XSetWindowBackgroundPixmap(display, window, pixmap_);
}

WindowImage::~WindowImage() {
  XDestroyImage(staging_);
  XFreeGC(display_, gc_);
  XFreePixmap(display_, pixmap_);
}

void WindowImage::Present(const Image& image, const RECT& changed) {
  // The whole picture the first time; afterwards only what may have changed.
  const int x0 = hasPicture_ ? std::max(0, changed.left) : 0;
  const int y0 = hasPicture_ ? std::max(0, changed.top) : 0;
  const int x1 = std::min({image.width(), width_, hasPicture_ ? changed.right : INT32_MAX});
  const int y1 = std::min({image.height(), height_, hasPicture_ ? changed.bottom : INT32_MAX});
  // Rows of 32-bit pixels are written directly, the rest through XPutPixel.
  const bool direct = staging_->bits_per_pixel == 32 && staging_->byte_order == NativeByteOrder();
  int left = x1;
  int top = y1;
  int right = -1;
  int bottom = -1;
  for (int y = y0; y < y1; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(staging_->data + static_cast<std::ptrdiff_t>(y) *
                                                                      staging_->bytes_per_line);
    for (int x = x0; x < x1; ++x) {
      // The staging image holds the last picture: compare in its format.
      const unsigned long packed = format_.Pack(image.at(x, y));
      if (direct) {
        if (hasPicture_ && row[x] == static_cast<std::uint32_t>(packed)) continue;
        row[x] = static_cast<std::uint32_t>(packed);
      } else {
        if (hasPicture_ && XGetPixel(staging_, x, y) == packed) continue;
        XPutPixel(staging_, x, y, packed);
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  hasPicture_ = true;
  if (right < left) return;
  const auto w = static_cast<unsigned>(right - left + 1);
  const auto h = static_cast<unsigned>(bottom - top + 1);
  XPutImage(display_, pixmap_, gc_, staging_, left, top, left, top, w, h);
  XCopyArea(display_, pixmap_, window_, gc_, left, top, w, h, left, top);
}

void WindowImage::Repaint(int x, int y, int width, int height) {
  if (!hasPicture_ || width <= 0 || height <= 0) return;
  XCopyArea(display_, pixmap_, window_, gc_, x, y, static_cast<unsigned>(width),
            static_cast<unsigned>(height), x, y);
}

}  // namespace platform::x11
