// A window's picture: kept on the server in a pixmap that is also the
// window's background, so the server repaints uncovered parts by itself and
// a new picture reaches the window in a single copy, never half drawn.
#pragma once

#include "platform/image.h"
#include "platform/win_types.h"
#include "platform/x11/pixel_format.h"

// X11's headers last: their macros (Below, None, Status) would clash with
// names in the project's headers.
#include <X11/Xlib.h>

namespace platform::x11 {

class WindowImage {
 public:
  WindowImage(Display* display, Window window, Visual* visual, int depth, int width, int height);
  ~WindowImage();
  WindowImage(const WindowImage&) = delete;
  WindowImage& operator=(const WindowImage&) = delete;

  // Shows `image` (the whole client area), in which nothing outside `changed`
  // differs from the last picture. Only the rectangle around the pixels that
  // really changed travels to the server.
  void Present(const Image& image, const RECT& changed);
  // Paints a part of the window again from the kept picture.
  void Repaint(int x, int y, int width, int height);
  bool HasPicture() const { return hasPicture_; }

 private:
  Display* display_;
  Window window_;
  PixelFormat format_;
  Pixmap pixmap_;
  GC gc_;
  XImage* staging_;  // the last picture, in the visual's format, client side
  int width_;
  int height_;
  bool hasPicture_ = false;
};

}  // namespace platform::x11
