#include "platform/x11/x11_system.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/x11/monitors.h"

namespace platform::x11 {

namespace {

// One line on stderr; if even that fails there is nobody left to tell.
void Say(const std::string& line) {
  static_cast<void>(std::fputs(("tobbelin: " + line + "\n").c_str(), stderr));
}

int ReportError(Display* display, XErrorEvent* error) {
  // A failed request costs that one effect; the program goes on.
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  Say("X request " + std::to_string(error->request_code) + " failed: " + text);
  return 0;
}

int LoseServer(Display* /*display*/) {
  // Xlib cannot go on after this; end at once rather than return into it.
  Say("the connection to the X server was lost");
  std::_Exit(1);
}

// Windows' button numbers: 1 left, 2 right, 4 middle; 0 for wheel and others.
int WindowsButton(unsigned int button) {
  switch (button) {
    case Button1:
      return 1;
    case Button3:
      return 2;
    case Button2:
      return 4;
    default:
      return 0;
  }
}

// Windows' shift flags: 1 Shift, 2 Ctrl, 4 Alt.
int WindowsShift(unsigned int state) {
  return ((state & ShiftMask) != 0 ? 1 : 0) | ((state & ControlMask) != 0 ? 2 : 0) |
         ((state & Mod1Mask) != 0 ? 4 : 0);
}

}  // namespace

std::unique_ptr<X11System> X11System::Open() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = std::getenv("DISPLAY");  // NOLINT(concurrency-mt-unsafe)
    if (name == nullptr || *name == '\0') {
      Say("no X display: DISPLAY is not set (it needs an X11 session)");
    } else {
      Say(std::string("cannot open the X display ") + name + " (it needs an X11 session)");
    }
    return nullptr;
  }
  if (XDefaultVisual(display, XDefaultScreen(display))->c_class != TrueColor) {
    Say("the X display has no TrueColor visual");
    XCloseDisplay(display);
    return nullptr;
  }
  XSetErrorHandler(ReportError);
  XSetIOErrorHandler(LoseServer);
  // A broken connection then reaches LoseServer instead of killing silently.
  static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
  // Past a file size limit a write then fails, and the settings file's
  // writer cleans up after itself, instead of the process dying mid-write.
  static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));
  return std::unique_ptr<X11System>(new X11System(display));
}

X11System::X11System(Display* display)
    : display_(display),
      screen_(XDefaultScreen(display)),
      root_(XRootWindow(display, screen_)),
      atoms_(InternAtoms(display)),
      executable_(ExecutablePath()) {
  int event = 0;
  int error = 0;
  if (XShapeQueryExtension(display_, &event, &error) != 0) {
    hasShape_ = true;
    int major = 0;
    int minor = 0;
    XShapeQueryVersion(display_, &major, &minor);
    hasInputShape_ = major > 1 || (major == 1 && minor >= 1);
  }
  if (XRRQueryExtension(display_, &randrEventBase_, &error) != 0) {
    int major = 0;
    int minor = 0;
    XRRQueryVersion(display_, &major, &minor);
    hasMonitors_ = major > 1 || (major == 1 && minor >= 5);
    XRRSelectInput(display_, root_,
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  } else {
    randrEventBase_ = -1;
  }
}

X11System::~X11System() {
  windows_.clear();  // their server resources go before the connection
  XCloseDisplay(display_);
}

// --- application and screen ---

bool X11System::PreviousInstance() {
  return !lock_.Acquire(executable_);
}

std::string X11System::AppFolder() {
  return std::filesystem::path(executable_).parent_path().string();
}

std::string X11System::AppExeName() {
  return std::filesystem::path(executable_).stem().string();
}

RECT X11System::Primary() {
  if (primary_) return *primary_;
  std::vector<Monitor> monitors;
  if (hasMonitors_) {
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display_, root_, True, &count);
    for (int i = 0; info != nullptr && i < count; ++i) {
      const XRRMonitorInfo& m = info[i];
      monitors.push_back({{m.x, m.y, m.x + m.width, m.y + m.height}, m.primary != 0});
    }
    if (info != nullptr) XRRFreeMonitors(info);
  }
  primary_ =
      PrimaryArea(monitors, XDisplayWidth(display_, screen_), XDisplayHeight(display_, screen_));
  return *primary_;
}

int X11System::ScreenWidthPixels() {
  const RECT area = Primary();
  return area.right - area.left;
}

int X11System::ScreenHeightPixels() {
  const RECT area = Primary();
  return area.bottom - area.top;
}

// --- windows ---

X11System::FormWindow* X11System::Find(Hwnd window) {
  const auto it = windows_.find(static_cast<Window>(window));
  return it == windows_.end() ? nullptr : &it->second;
}

X11System::FormWindow& X11System::Get(Hwnd window) {
  FormWindow* found = Find(window);
  if (found == nullptr) Fail(Failure::Kind::InvalidValue, "no such window");
  return *found;
}

bool X11System::IsWindow(Hwnd window) {
  return Find(window) != nullptr;
}

Hwnd X11System::CreateFormWindow(const WindowDesign& wanted) {
  const RECT origin = Primary();
  const int width = std::max(wanted.width, 1);
  const int height = std::max(wanted.height, 1);
  Visual* visual = XDefaultVisual(display_, screen_);
  const int depth = XDefaultDepth(display_, screen_);
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const POINT root{wanted.x + origin.left, wanted.y + origin.top};
  const Window id = XCreateWindow(display_, root_, root.x, root.y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), 0, depth, InputOutput, visual,
                                  CWBackPixmap | CWEventMask, &attributes);
  if (id == 0) Fail(Failure::Kind::Unreachable, "cannot create a window");

  FormWindow& window = windows_[id];
  window.id = id;
  window.config = wanted;
  window.config.width = width;
  window.config.height = height;
  window.config.icon = {};  // only read here
  window.requested = {wanted.x, wanted.y};
  DescribeWindow(display_, id, atoms_, wanted, root);
  window.image = std::make_unique<WindowImage>(display_, id, visual, depth, width, height);
  return static_cast<Hwnd>(id);
}

SIZE X11System::FormWindowSize(Hwnd window) {
  const FormWindow& form = Get(window);
  return {form.config.width, form.config.height};
}

void X11System::MoveFormWindow(Hwnd window, int x, int y) {
  FormWindow& form = Get(window);
  const RECT origin = Primary();
  form.requested = {x, y};
  const POINT root{x + origin.left, y + origin.top};
  if (!form.mapped)
    SetPositionHints(display_, form.id, root, form.config.width, form.config.height);
  form.rootPosition.reset();
  form.movePending = true;
  XMoveWindow(display_, form.id, root.x, root.y);
}

POINT X11System::RootPosition(FormWindow& window) {
  // Every tick needs it: a known position saves a round trip to the server.
  // The window manager tells of every later move by a configure event; only
  // while a move of ours is on its way is the server's answer not kept.
  if (window.rootPosition) return *window.rootPosition;
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window.id, root_, 0, 0, &x, &y, &child);
  if (!window.movePending) window.rootPosition = POINT{x, y};
  return {x, y};
}

void X11System::Configured(const XConfigureEvent& event) {
  FormWindow* form = Find(static_cast<Hwnd>(event.window));
  if (form == nullptr) return;
  form->movePending = false;
  // A window manager's own (synthetic) event gives root coordinates; so does
  // the server's while the window is the root's child. Inside a frame the
  // server's are relative to the frame: the position is unknown then.
  if (event.send_event || !form->reparented) {
    form->rootPosition = POINT{event.x, event.y};
  } else {
    form->rootPosition.reset();
  }
}

POINT X11System::FormWindowPosition(Hwnd window) {
  FormWindow& form = Get(window);
  // Before it is mapped, a window manager may not yet have carried out the
  // last move; where it was asked to go is where it will be.
  if (!form.mapped) return form.requested;
  const RECT origin = Primary();
  const POINT root = RootPosition(form);
  return {root.x - origin.left, root.y - origin.top};
}

void X11System::ShowFormWindow(Hwnd window) {
  FormWindow& form = Get(window);
  form.showRequested = true;
  // Mapped with its first picture, so it never shows up blank.
  if (form.image->HasPicture()) Map(form);
}

void X11System::Map(FormWindow& window) {
  if (window.mapped) return;
  window.mapped = true;
  window.mapAskedAt = TimerSchedule::Clock::now();
  XMapRaised(display_, window.id);
  XFlush(display_);
}

void X11System::PresentImage(Hwnd window, const Image& image, const RECT& changed) {
  FormWindow& form = Get(window);
  form.image->Present(image, changed);
  if (form.showRequested) Map(form);
}

void X11System::MakeTopmost(Hwnd window, bool /*activate*/) {
  // Never activated: the window takes no input focus (see DescribeWindow).
  const FormWindow& form = Get(window);
  if (form.mapped) {
    RequestAbove(display_, root_, form.id, atoms_);
  } else {
    SetInitialState(display_, form.id, atoms_, form.config.taskbarButton, true);
  }
}

void X11System::ApplyShape(Hwnd window, const Region* shape) {
  const FormWindow& form = Get(window);
  if (!hasShape_) return;
  const std::vector<int> kinds = hasInputShape_ ? std::vector<int>{ShapeBounding, ShapeInput}
                                                : std::vector<int>{ShapeBounding};
  if (shape == nullptr) {
    for (const int kind : kinds) XShapeCombineMask(display_, form.id, kind, 0, 0, None, ShapeSet);
    return;
  }
  // Clipped to the window first: the protocol carries 16-bit coordinates.
  std::vector<XRectangle> rectangles;
  for (const RECT& r : shape->Rectangles()) {
    const int left = std::max(r.left, 0);
    const int top = std::max(r.top, 0);
    const int right = std::min(r.right, form.config.width);
    const int bottom = std::min(r.bottom, form.config.height);
    if (left >= right || top >= bottom) continue;
    rectangles.push_back({static_cast<short>(left), static_cast<short>(top),
                          static_cast<unsigned short>(right - left),
                          static_cast<unsigned short>(bottom - top)});
  }
  // The input shape too: see-through pixels let clicks through as well.
  for (const int kind : kinds) {
    XShapeCombineRectangles(display_, form.id, kind, 0, 0, rectangles.data(),
                            static_cast<int>(rectangles.size()), ShapeSet, Unsorted);
  }
}

// --- pointer and moves ---

POINT X11System::PointerPosition() {
  Window rootReturn = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, root_, &rootReturn, &child, &x, &y, &windowX, &windowY, &mask);
  const RECT origin = Primary();
  return {x - origin.left, y - origin.top};
}

void X11System::ReleasePointer() {
  if (move_) {
    EndMove();
  } else {
    // Also ends the grab a button press gives its window.
    XUngrabPointer(display_, CurrentTime);
  }
}

void X11System::BeginMove(Hwnd window) {
  FormWindow* form = Find(window);
  if (form == nullptr || !form->mapped || move_) return;
  Window rootReturn = 0;
  Window child = 0;
  POINT now;
  int windowX = 0;
  int windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, root_, &rootReturn, &child, &now.x, &now.y, &windowX, &windowY, &mask);
  // Like a press on a title bar: the move lasts while the left button is
  // held; if it already came up, there is nothing to move.
  if ((mask & Button1Mask) == 0) return;
  const int grabbed = XGrabPointer(display_, form->id, False,
                                   ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                   GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  if (grabbed != GrabSuccess) return;
  move_ = Move{form->id, pressRoot_.value_or(now), RootPosition(*form)};
  Follow(now.x, now.y);
}

void X11System::Follow(int rootX, int rootY) {
  if (!move_) return;
  if (FormWindow* form = Find(static_cast<Hwnd>(move_->window))) {
    form->rootPosition.reset();
    form->movePending = true;
  }
  XMoveWindow(display_, move_->window, move_->windowStart.x + rootX - move_->pointerStart.x,
              move_->windowStart.y + rootY - move_->pointerStart.y);
}

void X11System::EndMove() {
  move_.reset();
  XUngrabPointer(display_, CurrentTime);
  XFlush(display_);
}

// --- events ---

void X11System::StartTimer(Hwnd window, int timerId, int intervalMs) {
  timers_.Start(window, timerId, std::chrono::milliseconds(intervalMs),
                TimerSchedule::Clock::now());
}

void X11System::OnPress(const XButtonEvent& press) {
  const int button = WindowsButton(press.button);
  // While a move holds the pointer, only the left button counts.
  if (button == 0 || (move_ && button != 1)) return;
  if (Find(static_cast<Hwnd>(press.window)) == nullptr || sink_ == nullptr) return;
  const auto hwnd = static_cast<Hwnd>(press.window);
  if (clicks_.Press(button, static_cast<std::uint32_t>(press.time), press.x_root, press.y_root)) {
    sink_->OnDblClick(hwnd);
    return;
  }
  pressRoot_ = POINT{press.x_root, press.y_root};
  sink_->OnMouseDown(hwnd, button, WindowsShift(press.state), press.x, press.y);
  pressRoot_.reset();
}

void X11System::AskAgainToMap(TimerSchedule::Clock::time_point now) {
  // A window manager that is still starting (at login, say) may drop a map
  // request; until the window has appeared, ask again every half second.
  for (auto& entry : windows_) {
    FormWindow& form = entry.second;
    if (form.mapped && !form.appeared && now - form.mapAskedAt >= std::chrono::milliseconds(500)) {
      form.mapAskedAt = now;
      XMapRaised(display_, form.id);
    }
  }
}

void X11System::Handle(XEvent& event) {
  switch (event.type) {
    case ConfigureNotify:
      Configured(event.xconfigure);
      break;
    case ReparentNotify:
      if (FormWindow* form = Find(static_cast<Hwnd>(event.xreparent.window))) {
        form->reparented = event.xreparent.parent != root_;
        form->rootPosition.reset();
      }
      break;
    case MapNotify:
      if (FormWindow* form = Find(static_cast<Hwnd>(event.xmap.window))) form->appeared = true;
      break;
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      if (FormWindow* form = Find(static_cast<Hwnd>(e.window))) {
        form->image->Repaint(e.x, e.y, e.width, e.height);
      }
      break;
    }
    case ButtonPress:
      OnPress(event.xbutton);
      break;
    case ButtonRelease:
      if (move_ && event.xbutton.button == Button1) {
        Follow(event.xbutton.x_root, event.xbutton.y_root);
        EndMove();
      }
      break;
    case MotionNotify: {
      if (!move_) break;
      // Only where the pointer is now matters; skip the ones already passed.
      XEvent latest = event;
      XEvent next;
      while (XEventsQueued(display_, QueuedAfterReading) > 0) {
        XPeekEvent(display_, &next);
        if (next.type != MotionNotify) break;
        XNextEvent(display_, &latest);
      }
      Follow(latest.xmotion.x_root, latest.xmotion.y_root);
      break;
    }
    case ClientMessage:
      // Closed by the window manager: end without saving, like an interrupt.
      if (event.xclient.message_type == atoms_.wmProtocols &&
          static_cast<Atom>(event.xclient.data.l[0]) == atoms_.wmDeleteWindow) {
        quit_ = true;
      }
      break;
    default:
      if (randrEventBase_ >= 0 && (event.type == randrEventBase_ + RRScreenChangeNotify ||
                                   event.type == randrEventBase_ + RRNotify)) {
        XRRUpdateConfiguration(&event);
        primary_.reset();
      }
      break;
  }
}

int X11System::RunMessageLoop() {
  for (auto& entry : windows_) {
    if (entry.second.showRequested) Map(entry.second);
  }
  const int fd = XConnectionNumber(display_);
  while (!quit_) {
    while (!quit_ && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      Handle(event);
    }
    if (quit_) break;
    const auto now = TimerSchedule::Clock::now();
    AskAgainToMap(now);
    if (const auto due = timers_.TakeDue(now)) {
      if (sink_ != nullptr) sink_->OnTimer(due->window, due->id);
      continue;  // events that came meanwhile go first
    }
    XFlush(display_);
    pollfd wait{fd, POLLIN, 0};
    ::poll(&wait, 1, timers_.MillisUntilNext(now).value_or(-1));
  }
  XFlush(display_);
  return 0;
}

}  // namespace platform::x11
