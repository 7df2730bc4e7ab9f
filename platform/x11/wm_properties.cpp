#include "platform/x11/wm_properties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

#include "platform/icon.h"

namespace platform::x11 {

namespace {

// Format-32 properties travel as arrays of C long, whatever its width.
void SetLongs(Display* display, Window window, Atom property, Atom type,
              const std::vector<long>& values) {
  XChangeProperty(display, window, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()),
                  static_cast<int>(values.size()));
}

void SetIcon(Display* display, Window window, const Atoms& atoms,
             std::span<const std::uint8_t> ico) {
  if (ico.empty()) return;
  const auto icon = DecodeIco(ico);
  if (!icon) return;
  std::vector<long> data;
  data.reserve(icon->argb.size() + 2);
  data.push_back(icon->width);
  data.push_back(icon->height);
  for (const std::uint32_t pixel : icon->argb) data.push_back(static_cast<long>(pixel));
  SetLongs(display, window, atoms.netWmIcon, XA_CARDINAL, data);
}

}  // namespace

Atoms InternAtoms(Display* display) {
  std::array<const char*, 14> names = {"WM_PROTOCOLS",
                                       "WM_DELETE_WINDOW",
                                       "_NET_WM_STATE",
                                       "_NET_WM_STATE_ABOVE",
                                       "_NET_WM_STATE_SKIP_TASKBAR",
                                       "_NET_WM_STATE_SKIP_PAGER",
                                       "_NET_WM_WINDOW_TYPE",
                                       "_NET_WM_WINDOW_TYPE_NORMAL",
                                       "_NET_WM_ICON",
                                       "_NET_WM_NAME",
                                       "_NET_WM_PID",
                                       "_NET_WM_USER_TIME",
                                       "UTF8_STRING",
                                       "_MOTIF_WM_HINTS"};
  std::array<Atom, 14> atoms{};
  XInternAtoms(display, const_cast<char**>(names.data()), static_cast<int>(names.size()), False,
               atoms.data());
  return {atoms[0], atoms[1], atoms[2], atoms[3],  atoms[4],  atoms[5],  atoms[6],
          atoms[7], atoms[8], atoms[9], atoms[10], atoms[11], atoms[12], atoms[13]};
}

void SetPositionHints(Display* display, Window window, POINT root, int width, int height) {
  XSizeHints hints{};
  hints.flags = USPosition | PSize | PMinSize | PMaxSize | PWinGravity;
  hints.x = root.x;
  hints.y = root.y;
  hints.width = hints.min_width = hints.max_width = width;
  hints.height = hints.min_height = hints.max_height = height;
  // The position names the client area's corner, whatever frame a window
  // manager adds, so a saved position comes back exactly.
  hints.win_gravity = StaticGravity;
  XSetWMNormalHints(display, window, &hints);
}

void DescribeWindow(Display* display, Window window, const Atoms& atoms, const WindowDesign& wanted,
                    POINT root) {
  std::string title = wanted.title;
  std::string className = wanted.className.empty() ? std::string("tobbelin") : wanted.className;
  char* titles[] = {title.data()};
  XTextProperty name{};
  XStringListToTextProperty(titles, 1, &name);

  XWMHints wmHints{};
  // Never given the input focus: clicking it leaves the focus where it was.
  wmHints.flags = InputHint | StateHint;
  wmHints.input = False;
  wmHints.initial_state = NormalState;

  XClassHint classHint{};
  classHint.res_name = className.data();
  classHint.res_class = className.data();

  XSetWMProperties(display, window, &name, &name, nullptr, 0, nullptr, &wmHints, &classHint);
  XFree(name.value);
  SetPositionHints(display, window, root, wanted.width, wanted.height);
  XChangeProperty(display, window, atoms.netWmName, atoms.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));

  Atom protocols[] = {atoms.wmDeleteWindow};
  XSetWMProtocols(display, window, protocols, 1);
  SetLongs(display, window, atoms.netWmWindowType, XA_ATOM,
           {static_cast<long>(atoms.netWmWindowTypeNormal)});
  SetLongs(display, window, atoms.netWmPid, XA_CARDINAL, {static_cast<long>(::getpid())});
  // A user time of 0 asks not to be focused when mapped.
  SetLongs(display, window, atoms.netWmUserTime, XA_CARDINAL, {0});
  if (wanted.borderless) {
    // flags: decorations given; decorations: none.
    SetLongs(display, window, atoms.motifWmHints, atoms.motifWmHints, {2, 0, 0, 0, 0});
  }
  SetInitialState(display, window, atoms, wanted.taskbarButton, false);
  SetIcon(display, window, atoms, wanted.icon);
}

void SetInitialState(Display* display, Window window, const Atoms& atoms, bool taskbarButton,
                     bool above) {
  std::vector<long> states;
  if (!taskbarButton) {
    states.push_back(static_cast<long>(atoms.netWmStateSkipTaskbar));
    states.push_back(static_cast<long>(atoms.netWmStateSkipPager));
  }
  if (above) states.push_back(static_cast<long>(atoms.netWmStateAbove));
  SetLongs(display, window, atoms.netWmState, XA_ATOM, states);
}

void RequestAbove(Display* display, Window root, Window window, const Atoms& atoms) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atoms.netWmState;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add
  event.xclient.data.l[1] = static_cast<long>(atoms.netWmStateAbove);
  event.xclient.data.l[2] = 0;
  event.xclient.data.l[3] = 1;  // asked by an application
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  // Without a window manager, nobody handles the message: raise it directly.
  XRaiseWindow(display, window);
}

}  // namespace platform::x11
