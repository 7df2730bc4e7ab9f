#include "tests/wine/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace wine_test {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kHold{50};

// Windows come and go while the tests look at them: a request about one that
// has just gone is not a failure.
int IgnoreErrors(::Display* /*display*/, ::XErrorEvent* /*error*/) {
  return 0;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool HasClass(::Display* display, ::Window window, const std::string& wanted) {
  ::XClassHint hint{};
  if (::XGetClassHint(display, window, &hint) == 0) return false;
  const bool match = (hint.res_name != nullptr && Lower(hint.res_name) == wanted) ||
                     (hint.res_class != nullptr && Lower(hint.res_class) == wanted);
  if (hint.res_name != nullptr) ::XFree(hint.res_name);
  if (hint.res_class != nullptr) ::XFree(hint.res_class);
  return match;
}

void Collect(::Display* display, ::Window parent, const std::string& wanted,
             std::vector<::Window>& found) {
  ::Window root = 0;
  ::Window up = 0;
  ::Window* children = nullptr;
  unsigned count = 0;
  if (::XQueryTree(display, parent, &root, &up, &children, &count) == 0) return;
  for (unsigned i = 0; i < count; ++i) {
    ::XWindowAttributes attributes{};
    if (::XGetWindowAttributes(display, children[i], &attributes) == 0) continue;
    if (attributes.map_state != IsViewable) continue;
    if (HasClass(display, children[i], wanted)) found.push_back(children[i]);
    Collect(display, children[i], wanted, found);  // managed windows sit inside frames
  }
  if (children != nullptr) ::XFree(children);
}

bool WindowManagerReady(::Display* display) {
  const ::Atom check = ::XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  ::Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = ::XGetWindowProperty(display, ::XDefaultRootWindow(display), check, 0, 1,
                                          False, XA_WINDOW, &type, &format, &items, &after, &data);
  const bool ready = status == Success && items == 1;
  if (data != nullptr) ::XFree(data);
  return ready;
}

}  // namespace

Desktop::Desktop() {
  // Xvfb picks a free display itself and writes its number to the pipe.
  int pipe[2] = {-1, -1};
  if (::pipe(pipe) != 0) throw std::runtime_error("no pipe for Xvfb");
  ::fcntl(pipe[0], F_SETFD, FD_CLOEXEC);
  server_ = std::make_unique<Process>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipe[1]), "-screen", "0",
                               std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24",
                               "-nolisten", "tcp"},
      std::map<std::string, std::string>{});
  ::close(pipe[1]);
  std::string number;
  char c = 0;
  while (::read(pipe[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(pipe[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  name_ = ":" + number;

  WaitUntil([this] { return (display_ = ::XOpenDisplay(name_.c_str())) != nullptr; },
            milliseconds(5000));
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + name_);
  ::XSetErrorHandler(&IgnoreErrors);
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  if (::XTestQueryExtension(display_, &event, &error, &major, &minor) == 0) {
    throw std::runtime_error("the display has no XTEST");
  }

  windowManager_ = std::make_unique<Process>(
      std::vector<std::string>{"openbox"}, std::map<std::string, std::string>{{"DISPLAY", name_}});
  if (!WaitUntil([this] { return WindowManagerReady(display_); }, milliseconds(10000))) {
    throw std::runtime_error("openbox did not come up on " + name_);
  }
  const ::Window root = ::XDefaultRootWindow(display_);
  ::XSetWindowBackground(display_, root, kDesktopColour);
  ::XClearWindow(display_, root);
  Sync();
}

Desktop::~Desktop() {
  if (display_ != nullptr) ::XCloseDisplay(display_);
  windowManager_.reset();
  server_.reset();
}

void Desktop::Sync() {
  ::XSync(display_, False);
}

::Window Desktop::OpenPlainWindow(Rect where, std::uint32_t rgb) {
  const ::Window root = ::XDefaultRootWindow(display_);
  ::XSetWindowAttributes attributes{};
  attributes.background_pixel = rgb;
  attributes.event_mask = StructureNotifyMask;
  const ::Window window =
      ::XCreateWindow(display_, root, where.x, where.y, static_cast<unsigned>(where.width),
                      static_cast<unsigned>(where.height), 0, CopyFromParent, InputOutput, nullptr,
                      CWBackPixel | CWEventMask, &attributes);
  // Where we asked, not where the window manager would like it.
  ::XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = where.x;
  hints.y = where.y;
  hints.width = where.width;
  hints.height = where.height;
  ::XSetWMNormalHints(display_, window, &hints);
  ::XClassHint classHint{};
  std::string name = "plain";
  classHint.res_name = name.data();
  classHint.res_class = name.data();
  ::XSetClassHint(display_, window, &classHint);
  // No frame: the window shows its colour exactly where it was put.
  const ::Atom motif = ::XInternAtom(display_, "_MOTIF_WM_HINTS", False);
  const long noDecorations[5] = {2, 0, 0, 0, 0};  // flags: decorations; decorations: none
  ::XChangeProperty(display_, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(noDecorations), 5);
  ::XMapWindow(display_, window);
  Sync();
  WaitUntil(
      [&] {
        ::XWindowAttributes now{};
        return ::XGetWindowAttributes(display_, window, &now) != 0 && now.map_state == IsViewable;
      },
      milliseconds(5000));
  WaitUntil(
      [&] {
        ::XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        Sync();
        return Focus() == window;
      },
      milliseconds(5000));
  return window;
}

void Desktop::ClosePlainWindow(::Window window) {
  ::XDestroyWindow(display_, window);
  Sync();
}

void Desktop::Raise(::Window window) {
  ::XRaiseWindow(display_, window);
  Sync();
}

::Window Desktop::Focus() {
  ::Window focus = 0;
  int revert = 0;
  ::XGetInputFocus(display_, &focus, &revert);
  return focus;
}

std::vector<::Window> Desktop::VisibleWindows(const std::string& wmClass) {
  std::vector<::Window> found;
  Collect(display_, ::XDefaultRootWindow(display_), Lower(wmClass), found);
  return found;
}

bool Desktop::Unmanaged(::Window window) {
  ::XWindowAttributes attributes{};
  return ::XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.override_redirect == True;
}

Rect Desktop::Geometry(::Window window) {
  ::XWindowAttributes attributes{};
  ::XGetWindowAttributes(display_, window, &attributes);
  int x = 0;
  int y = 0;
  ::Window child = 0;
  ::XTranslateCoordinates(display_, window, ::XDefaultRootWindow(display_), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

Pixels Desktop::Grab(Rect area) {
  Pixels pixels;
  ::XImage* image = ::XGetImage(display_, ::XDefaultRootWindow(display_), area.x, area.y,
                                static_cast<unsigned>(area.width),
                                static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  pixels.width = area.width;
  pixels.height = area.height;
  pixels.rgb.reserve(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      pixels.rgb.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    }
  }
  XDestroyImage(image);
  return pixels;
}

void Desktop::SaveScreen(const std::string& path) {
  RunToEnd({"/usr/bin/import", "-display", name_, "-window", "root", path}, {},
           milliseconds(10000));
}

void Desktop::MovePointer(int x, int y) {
  ::XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  Sync();
}

void Desktop::Press(int button) {
  ::XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
  Sync();
  held_.insert(button);
}

void Desktop::Release(int button) {
  ::XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  Sync();
  held_.erase(button);
}

void Desktop::ReleaseAll() {
  const std::set<int> held = held_;
  for (const int button : held) Release(button);
}

void Desktop::Click(int button) {
  Press(button);
  std::this_thread::sleep_for(kHold);
  Release(button);
}

void Desktop::DoubleClick(int button) {
  Press(button);
  std::this_thread::sleep_for(milliseconds(40));
  Release(button);
  std::this_thread::sleep_for(milliseconds(80));
  Press(button);
  std::this_thread::sleep_for(milliseconds(40));
  Release(button);
}

}  // namespace wine_test
