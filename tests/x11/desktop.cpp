#include "tests/x11/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <stdexcept>
#include <thread>

#include "platform/x11/pixel_format.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {

namespace {

std::filesystem::path FreshFolder(const std::string& kind) {
  static std::atomic<int> counter{0};
  const auto folder =
      std::filesystem::temp_directory_path() /
      ("tobbelin-" + kind + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

// The display number Xvfb writes to its -displayfd once it accepts clients.
std::string ReadDisplayNumber(int fd) {
  std::string text;
  const auto end = std::chrono::steady_clock::now() + 10s;
  while (text.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
    pollfd wait{fd, POLLIN, 0};
    if (::poll(&wait, 1, 100) <= 0) continue;
    char buffer[32];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  if (text.find('\n') == std::string::npos) throw std::runtime_error("Xvfb did not start");
  return text.substr(0, text.find('\n'));
}

// Other programs' windows may vanish between a look and the next: such a
// failed request reads as nothing, not as the end of the test.
int IgnoreError(Display* /*display*/, XErrorEvent* /*error*/) {
  return 0;
}

platform::x11::PixelFormat FormatOf(Display* display) {
  Visual* visual = XDefaultVisual(display, XDefaultScreen(display));
  return {visual->red_mask, visual->green_mask, visual->blue_mask};
}

}  // namespace

struct Desktop::Connection {
  Display* display = nullptr;
  Window root = 0;
  int created = 0;  // CreateNotify events counted since WatchNewWindows
};

Desktop::Desktop(const DesktopOptions& options)
    : folder_(FreshFolder("desktop")), x_(std::make_unique<Connection>()) {
  StartServer(options);
  if (!options.monitors.empty()) SetMonitors(options.monitors);

  if (!options.openbox) {
    XSetWindowBackground(x_->display, x_->root, FormatOf(x_->display).Pack(kDesktopColour));
    XClearWindow(x_->display, x_->root);
    XSync(x_->display, False);
    return;
  }
  windowManager_ =
      Child({{"/usr/bin/openbox", "--sm-disable"},
             {"DISPLAY=" + displayName_, "HOME=" + folder_.string(), "PATH=/usr/bin:/bin"},
             folder_.string(),
             (folder_ / "openbox.log").string()});
  if (!WaitUntil([&] { return !Longs(x_->root, "_NET_SUPPORTING_WM_CHECK").empty(); }, 10s)) {
    throw std::runtime_error("openbox did not start");
  }
  XSetWindowBackground(x_->display, x_->root, FormatOf(x_->display).Pack(kDesktopColour));
  XClearWindow(x_->display, x_->root);
  XSync(x_->display, False);
  // openbox announces itself before it handles requests, and a window mapped
  // in between stays unmapped for good. Wait until it manages a window of
  // ours, asking again while it drops the requests.
  const Window probe = XCreateSimpleWindow(x_->display, x_->root, 0, 0, 1, 1, 0, 0, 0);
  bool managed = false;
  for (int attempt = 0; attempt < 50 && !managed; ++attempt) {
    XMapWindow(x_->display, probe);
    XSync(x_->display, False);
    managed = WaitUntil(
        [&] {
          const auto clients = Longs(x_->root, "_NET_CLIENT_LIST");
          return std::find(clients.begin(), clients.end(), static_cast<long>(probe)) !=
                 clients.end();
        },
        200ms);
  }
  XDestroyWindow(x_->display, probe);
  XSync(x_->display, False);
  if (!managed) throw std::runtime_error("openbox manages no window");
}

Desktop::~Desktop() {
  stopFakeManager_ = true;
  if (fakeManager_.joinable()) fakeManager_.join();
  if (x_->display != nullptr) XCloseDisplay(x_->display);
  windowManager_.Stop();
  server_.Stop();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void Desktop::StartServer(const DesktopOptions& options) {
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const std::string screen =
      std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
  // The server picks a free display number itself: no race between tests.
  server_ = Child(
      {{"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
       {"PATH=/usr/bin:/bin"},
       folder_.string(),
       (folder_ / "xvfb.log").string(),
       pipe[1]});
  ::close(pipe[1]);
  try {
    displayName_ = ":" + ReadDisplayNumber(pipe[0]);
  } catch (...) {
    ::close(pipe[0]);
    throw;
  }
  ::close(pipe[0]);
  x_->display = XOpenDisplay(displayName_.c_str());
  if (x_->display == nullptr) throw std::runtime_error("cannot open " + displayName_);
  x_->root = XDefaultRootWindow(x_->display);
  XSetErrorHandler(IgnoreError);
}

void Desktop::SetMonitors(const std::vector<MonitorLayout>& monitors) {
  XRRScreenResources* resources = XRRGetScreenResources(x_->display, x_->root);
  const RROutput output = resources->noutput > 0 ? resources->outputs[0] : 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    // The first one takes over the screen's only output; the others have none.
    const bool first = i == 0 && output != 0;
    XRRMonitorInfo* info = XRRAllocateMonitor(x_->display, first ? 1 : 0);
    const MonitorLayout& m = monitors[i];
    info->name = Intern(("M" + std::to_string(i)).c_str());
    info->primary = m.primary ? True : False;
    info->automatic = False;
    info->x = m.x;
    info->y = m.y;
    info->width = m.width;
    info->height = m.height;
    info->mwidth = m.width / 4;
    info->mheight = m.height / 4;
    if (first) info->outputs[0] = output;
    XRRSetMonitor(x_->display, x_->root, info);
    XRRFreeMonitors(info);
  }
  XRRFreeScreenResources(resources);
  int count = 0;
  XRRMonitorInfo* now = XRRGetMonitors(x_->display, x_->root, True, &count);
  XRRFreeMonitors(now);
  if (count != static_cast<int>(monitors.size())) {
    throw std::runtime_error("the monitors were not set up");
  }
}

// --- input ---

void Desktop::MovePointer(int x, int y) {
  XTestFakeMotionEvent(x_->display, -1, x, y, CurrentTime);
  XSync(x_->display, False);
}

void Desktop::Press(int button) {
  XTestFakeButtonEvent(x_->display, static_cast<unsigned>(button), True, CurrentTime);
  XSync(x_->display, False);
}

void Desktop::Release(int button) {
  XTestFakeButtonEvent(x_->display, static_cast<unsigned>(button), False, CurrentTime);
  XSync(x_->display, False);
}

void Desktop::Click(int button) {
  Press(button);
  std::this_thread::sleep_for(50ms);  // a real press lasts; a 0 ms one can be lost
  Release(button);
}

void Desktop::DoubleClick() {
  Press(1);
  std::this_thread::sleep_for(40ms);
  Release(1);
  std::this_thread::sleep_for(80ms);
  Press(1);
  std::this_thread::sleep_for(40ms);
  Release(1);
}

void Desktop::Drag(int x, int y, int dx, int dy, int steps) {
  MovePointer(x, y);
  Press(1);
  std::this_thread::sleep_for(100ms);
  Glide(x, y, dx, dy, steps);
  Release(1);
}

void Desktop::Glide(int x, int y, int dx, int dy, int steps) {
  for (int i = 1; i <= steps; ++i) {
    MovePointer(x + dx * i / steps, y + dy * i / steps);
    std::this_thread::sleep_for(20ms);
  }
}

// --- the window manager's view ---

unsigned long Desktop::Intern(const char* name) const {
  return XInternAtom(x_->display, name, False);
}

std::vector<long> Desktop::Longs(WindowId window, const char* property) const {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(x_->display, window, Intern(property), 0, 1L << 20, False, AnyPropertyType,
                         &type, &format, &count, &after, &data) == Success &&
      data != nullptr) {
    if (format == 32) {
      const long* longs = reinterpret_cast<const long*>(data);
      values.assign(longs, longs + count);
    }
    XFree(data);
  }
  return values;
}

bool Desktop::HasAtom(WindowId window, const char* property, const char* atom) const {
  const auto values = Longs(window, property);
  return std::find(values.begin(), values.end(), static_cast<long>(Intern(atom))) != values.end();
}

std::string Desktop::ClassOf(WindowId window) const {
  XClassHint hint{};
  if (XGetClassHint(x_->display, window, &hint) == 0) return {};
  std::string name = hint.res_class != nullptr ? hint.res_class : "";
  XFree(hint.res_name);
  XFree(hint.res_class);
  return name;
}

std::vector<WindowId> Desktop::ClientsOfClass(const std::string& name) const {
  std::vector<WindowId> found;
  for (const long id : Longs(x_->root, "_NET_CLIENT_LIST")) {
    const auto window = static_cast<WindowId>(id);
    if (ClassOf(window) == name) found.push_back(window);
  }
  return found;
}

std::vector<WindowId> Desktop::Stacking() const {
  std::vector<WindowId> order;
  for (const long id : Longs(x_->root, "_NET_CLIENT_LIST_STACKING")) {
    order.push_back(static_cast<WindowId>(id));
  }
  return order;
}

platform::POINT Desktop::Position(WindowId window) const {
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(x_->display, window, x_->root, 0, 0, &x, &y, &child);
  return {x, y};
}

bool Desktop::Viewable(WindowId window) const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(x_->display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

// --- shapes and pixels ---

platform::Image Desktop::Shape(WindowId window, ShapeKind kind) const {
  XWindowAttributes attributes{};
  XGetWindowAttributes(x_->display, window, &attributes);
  platform::Image in(attributes.width, attributes.height, 0);
  int count = 0;
  int ordering = 0;
  XRectangle* rectangles = XShapeGetRectangles(
      x_->display, window, kind == ShapeKind::Bounding ? ShapeBounding : ShapeInput, &count,
      &ordering);
  for (int i = 0; i < count; ++i) {
    const XRectangle& r = rectangles[i];
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (in.Contains(x, y)) in.set(x, y, 1);
      }
    }
  }
  if (rectangles != nullptr) XFree(rectangles);
  return in;
}

platform::Image Desktop::Screenshot(int x, int y, int width, int height) const {
  platform::Image shot(width, height, 0xFFFFFFFF);
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + width, XDisplayWidth(x_->display, XDefaultScreen(x_->display)));
  const int bottom = std::min(y + height, XDisplayHeight(x_->display, XDefaultScreen(x_->display)));
  if (left >= right || top >= bottom) return shot;
  XImage* image = XGetImage(x_->display, x_->root, left, top, static_cast<unsigned>(right - left),
                            static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
  if (image == nullptr) return shot;
  const auto format = FormatOf(x_->display);
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      shot.set(px - x, py - y, format.Unpack(XGetPixel(image, px - left, py - top)));
    }
  }
  XDestroyImage(image);
  return shot;
}

platform::Colour Desktop::PixelAt(int x, int y) const {
  return Screenshot(x, y, 1, 1).at(0, 0);
}

WindowId Desktop::OpenWindow(int x, int y, int width, int height, platform::Colour colour,
                             bool overrideRedirect) {
  XSetWindowAttributes attributes{};
  attributes.background_pixel = FormatOf(x_->display).Pack(colour);
  attributes.override_redirect = overrideRedirect ? True : False;
  const WindowId window = XCreateWindow(
      x_->display, x_->root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
      CopyFromParent, InputOutput, nullptr, CWBackPixel | CWOverrideRedirect, &attributes);
  XSizeHints hints{};
  hints.flags = USPosition;
  XSetWMNormalHints(x_->display, window, &hints);
  XMapRaised(x_->display, window);
  XSync(x_->display, False);
  if (!WaitUntil([&] { return Viewable(window); })) throw std::runtime_error("window not shown");
  if (!overrideRedirect) {
    const auto managed = [&] {
      const auto clients = Longs(x_->root, "_NET_CLIENT_LIST");
      return std::find(clients.begin(), clients.end(), static_cast<long>(window)) != clients.end();
    };
    if (!WaitUntil(managed)) throw std::runtime_error("window not managed");
  }
  return window;
}

void Desktop::MoveWindow(WindowId window, int x, int y) {
  XMoveWindow(x_->display, window, x, y);
  XSync(x_->display, False);
}

void Desktop::Close(WindowId window) {
  XDestroyWindow(x_->display, window);
  XSync(x_->display, False);
}

void Desktop::SyncWindowManager() {
  // A window manager answers _NET_REQUEST_FRAME_EXTENTS by setting the
  // property, after the events queued before the request. Twice: the first
  // answer may come before the events its earlier work produced.
  for (int round = 0; round < 2; ++round) {
    const Window probe = XCreateSimpleWindow(x_->display, x_->root, 0, 0, 1, 1, 0, 0, 0);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = Intern("_NET_REQUEST_FRAME_EXTENTS");
    request.xclient.format = 32;
    XSendEvent(x_->display, x_->root, False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XSync(x_->display, False);
    const bool answered =
        WaitUntil([&] { return !Longs(probe, "_NET_FRAME_EXTENTS").empty(); }, 5s);
    XDestroyWindow(x_->display, probe);
    XSync(x_->display, False);
    if (!answered) throw std::runtime_error("the window manager does not answer");
  }
}

WindowId Desktop::root() const {
  return x_->root;
}

WindowId Desktop::ActiveWindow() const {
  const auto active = Longs(x_->root, "_NET_ACTIVE_WINDOW");
  return active.empty() ? 0 : static_cast<WindowId>(active[0]);
}

void Desktop::WatchNewWindows() {
  XSelectInput(x_->display, x_->root, SubstructureNotifyMask);
  XSync(x_->display, True);  // what came before does not count
  x_->created = 0;
}

int Desktop::NewWindows() {
  XSync(x_->display, False);
  XEvent event;
  while (XCheckTypedWindowEvent(x_->display, x_->root, CreateNotify, &event)) ++x_->created;
  return x_->created;
}

void Desktop::StopServer() {
  // Our own connection goes first, cleanly: Xlib ends a process whose
  // connection breaks.
  XCloseDisplay(x_->display);
  x_->display = nullptr;
  server_.Signal(SIGKILL);
  server_.WaitExit(5s);
}

void Desktop::RunStartingWindowManager(int dropped) {
  Display* display = XOpenDisplay(displayName_.c_str());
  if (display == nullptr) throw std::runtime_error("cannot open the display");
  XSelectInput(display, XDefaultRootWindow(display), SubstructureRedirectMask);
  XSync(display, False);
  fakeManager_ = std::thread([this, display, dropped] {
    int ignored = 0;
    while (!stopFakeManager_) {
      while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
          if (ignored < dropped) {
            ++ignored;
          } else {
            XMapWindow(display, event.xmaprequest.window);
          }
        } else if (event.type == ConfigureRequest) {
          const XConfigureRequestEvent& r = event.xconfigurerequest;
          XWindowChanges changes{r.x, r.y, r.width, r.height, r.border_width, r.above, r.detail};
          XConfigureWindow(display, r.window, static_cast<unsigned>(r.value_mask), &changes);
        }
      }
      XFlush(display);
      pollfd wait{XConnectionNumber(display), POLLIN, 0};
      ::poll(&wait, 1, 20);
    }
    XCloseDisplay(display);
  });
}

std::vector<WindowId> Desktop::TopLevelsOfClass(const std::string& name) const {
  std::vector<WindowId> found;
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(x_->display, x_->root, &rootReturn, &parent, &children, &count) == 0) return found;
  for (unsigned int i = 0; i < count; ++i) {
    if (ClassOf(children[i]) == name) found.push_back(children[i]);
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace tobbelin_x11
