// The System for X11 desktops. The program's coordinates are Windows-like:
// root window pixels with (0, 0) at the top-left of the primary monitor.
// Events come from a poll()-based loop that also runs the timers; moves of a
// window are driven here, not by the window manager; double-clicks are made
// from pairs of presses, which X11 does not report.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix/emulated_system.h"
#include "platform/x11/click_tracker.h"
#include "platform/x11/instance_lock.h"
#include "platform/x11/timer_schedule.h"
#include "platform/x11/window_image.h"
#include "platform/x11/wm_properties.h"

// X11's headers last: their macros (Below, None, Status) would clash with
// names in the project's headers.
#include <X11/Xlib.h>

namespace platform::x11 {

class X11System final : public posix::EmulatedSystem {
 public:
  // Connects to the display DISPLAY names. Without a usable display: one line
  // on stderr and nullptr.
  static std::unique_ptr<X11System> Open();
  ~X11System() override;
  X11System(const X11System&) = delete;
  X11System& operator=(const X11System&) = delete;

  bool PreviousInstance() override;
  std::string AppFolder() override;
  std::string AppExeName() override;
  int ScreenWidthPixels() override;
  int ScreenHeightPixels() override;
  Hwnd CreateFormWindow(const WindowDesign& wanted) override;
  void MoveFormWindow(Hwnd window, int x, int y) override;
  POINT FormWindowPosition(Hwnd window) override;
  void ShowFormWindow(Hwnd window) override;
  void PresentImage(Hwnd window, const Image& image, const RECT& changed) override;
  void StartTimer(Hwnd window, int timerId, int intervalMs) override;
  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  int RunMessageLoop() override;
  void Quit() override { quit_ = true; }

 protected:
  bool IsWindow(Hwnd window) override;
  SIZE FormWindowSize(Hwnd window) override;
  void MakeTopmost(Hwnd window, bool activate) override;
  POINT PointerPosition() override;
  void ApplyShape(Hwnd window, const Region* shape) override;
  void ReleasePointer() override;
  void BeginMove(Hwnd window) override;

 private:
  struct FormWindow {
    Window id = 0;
    WindowDesign config;
    POINT requested;  // program coordinates, until the window is mapped
    bool showRequested = false;
    bool mapped = false;
    bool appeared = false;  // a MapNotify came: it is on the screen
    // Where the window stands on the root, as the last configure event said;
    // none while unknown (then asked of the server).
    std::optional<POINT> rootPosition;
    bool movePending = false;  // moved by us; no configure event since
    bool reparented = false;
    TimerSchedule::Clock::time_point mapAskedAt;
    std::unique_ptr<WindowImage> image;
  };
  // A move that follows the pointer's travel from where the press was, in
  // root coordinates, so the window's own motion never feeds back into it.
  struct Move {
    Window window;
    POINT pointerStart;
    POINT windowStart;
  };

  explicit X11System(Display* display);
  void AskAgainToMap(TimerSchedule::Clock::time_point now);
  FormWindow* Find(Hwnd window);
  FormWindow& Get(Hwnd window);
  // The primary monitor's area, root pixels; re-read after a layout change.
  RECT Primary();
  POINT RootPosition(FormWindow& window);
  void Configured(const XConfigureEvent& event);
  void Map(FormWindow& window);
  void Handle(XEvent& event);
  void OnPress(const XButtonEvent& press);
  void Follow(int rootX, int rootY);
  void EndMove();

  Display* display_;
  int screen_;
  Window root_;
  Atoms atoms_;
  bool hasShape_ = false;
  bool hasInputShape_ = false;
  int randrEventBase_ = -1;
  bool hasMonitors_ = false;
  std::optional<RECT> primary_;
  std::string executable_;
  InstanceLock lock_;
  std::map<Window, FormWindow> windows_;
  TimerSchedule timers_;
  ClickTracker clicks_;
  std::optional<Move> move_;
  std::optional<POINT> pressRoot_;  // while a press is being delivered
  EventSink* sink_ = nullptr;
  bool quit_ = false;
};

}  // namespace platform::x11
