// A private X display for the Wine tests: Xvfb with openbox, a plain green
// desktop, and what a test needs to look at it and act on it: finding
// windows, reading pixels, moving the pointer and pressing buttons.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/wine/process.h"

namespace wine_test {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Pixels read off the screen, 0xRRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  // kNone outside what was read.
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  std::uint32_t at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return kNone;
    return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)];
  }
};

class Desktop {
 public:
  static constexpr int kWidth = 1920;
  static constexpr int kHeight = 1080;
  static constexpr std::uint32_t kDesktopColour = 0x00FF00;

  // Raises std::runtime_error when the display or the window manager does
  // not come up.
  Desktop();
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // ":N", for DISPLAY.
  const std::string& name() const { return name_; }

  // An ordinary window of one colour, managed by the window manager, mapped
  // and given the focus before this returns.
  ::Window OpenPlainWindow(Rect where, std::uint32_t rgb);
  void ClosePlainWindow(::Window window);
  void Raise(::Window window);
  ::Window Focus();

  // Viewable windows whose WM_CLASS name or class is `wmClass`, any letter case.
  std::vector<::Window> VisibleWindows(const std::string& wmClass);
  // True for a window the window manager does not manage (override-redirect).
  bool Unmanaged(::Window window);
  // The window's position on the screen and its size.
  Rect Geometry(::Window window);

  Pixels Grab(Rect area);
  // The whole screen as a PNG, for a person to look at.
  void SaveScreen(const std::string& path);

  void MovePointer(int x, int y);
  // Button down, held some tens of milliseconds, up: a press of 0 ms can be
  // lost while the press hands the pointer over.
  void Click(int button);
  void Press(int button);
  void Release(int button);
  void DoubleClick(int button);
  // Lets go of every button a test left pressed, so that the next test on this
  // desktop starts with none held.
  void ReleaseAll();

 private:
  void Sync();

  std::unique_ptr<Process> server_;
  std::unique_ptr<Process> windowManager_;
  std::string name_;
  ::Display* display_ = nullptr;
  std::set<int> held_;
};

}  // namespace wine_test
