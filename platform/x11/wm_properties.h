// What the window manager is told about a window: the properties that make it
// borderless, kept off the taskbar and the pager, above other windows, never
// focused, placed where the program says, and recognisable (class, icon).
#pragma once

#include "platform/system.h"

// X11's headers last: their macros (Below, None, Status) would clash with
// names in the project's headers.
#include <X11/Xlib.h>

namespace platform::x11 {

struct Atoms {
  Atom wmProtocols;
  Atom wmDeleteWindow;
  Atom netWmState;
  Atom netWmStateAbove;
  Atom netWmStateSkipTaskbar;
  Atom netWmStateSkipPager;
  Atom netWmWindowType;
  Atom netWmWindowTypeNormal;
  Atom netWmIcon;
  Atom netWmName;
  Atom netWmPid;
  Atom netWmUserTime;
  Atom utf8String;
  Atom motifWmHints;
};

Atoms InternAtoms(Display* display);

// Everything set once, before the window is first mapped. `root` is where
// the window's top-left corner stands, root window pixels.
void DescribeWindow(Display* display, Window window, const Atoms& atoms, const WindowDesign& wanted,
                    POINT root);

// The size and position hints: a fixed size, and a position the user chose
// (so it is honoured even partly off the screen) of the client area itself.
void SetPositionHints(Display* display, Window window, POINT root, int width, int height);

// The state the window asks for when it is mapped. Only while unmapped: a
// mapped window asks through RequestAbove.
void SetInitialState(Display* display, Window window, const Atoms& atoms, bool taskbarButton,
                     bool above);

// Asks the window manager to keep a mapped window above others.
void RequestAbove(Display* display, Window root, Window window, const Atoms& atoms);

}  // namespace platform::x11
