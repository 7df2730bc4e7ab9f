// A desktop of its own for one test: an Xvfb server on a display number it
// picks itself, optionally split into monitors, with openbox managing it and a
// plain green background. The test drives the pointer through XTest and reads
// windows, their shapes, the stacking order and the screen's pixels.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/image.h"
#include "platform/win_types.h"
#include "tests/x11/child.h"

namespace tobbelin_x11 {

// X ids as Xlib has them; Xlib's own headers stay out of the tests (their
// macros clash with GoogleTest's names).
using WindowId = unsigned long;

enum class ShapeKind { Bounding, Input };

struct MonitorLayout {
  int x;
  int y;
  int width;
  int height;
  bool primary;
};

struct DesktopOptions {
  int width = 1920;
  int height = 1080;
  std::vector<MonitorLayout> monitors;  // empty: the screen is one monitor
  bool openbox = true;                  // false: no window manager at first
};

inline constexpr platform::Colour kDesktopColour = platform::Rgb(0, 255, 0);

class Desktop {
 public:
  explicit Desktop(const DesktopOptions& options = {});
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  const std::string& DisplayName() const { return displayName_; }
  WindowId root() const;
  // A folder the desktop's programs may write in (openbox's home).
  const std::filesystem::path& folder() const { return folder_; }

  // --- input, root coordinates ---
  void MovePointer(int x, int y);
  void Press(int button);
  void Release(int button);
  // Press, hold 50 ms, release.
  void Click(int button);
  // Two left presses of 40 ms, 80 ms apart, as a quick hand makes them.
  void DoubleClick();
  // Pressed at (x, y), moved in `steps` even steps 20 ms apart, released.
  void Drag(int x, int y, int dx, int dy, int steps = 20);
  // From (x, y) by (dx, dy) in `steps` even steps 20 ms apart.
  void Glide(int x, int y, int dx, int dy, int steps);

  // --- what the window manager knows ---
  // Managed top-level windows (_NET_CLIENT_LIST) whose WM_CLASS class is `name`.
  std::vector<WindowId> ClientsOfClass(const std::string& name) const;
  // _NET_CLIENT_LIST_STACKING: bottom first, topmost last.
  std::vector<WindowId> Stacking() const;
  std::vector<long> Longs(WindowId window, const char* property) const;
  bool HasAtom(WindowId window, const char* property, const char* atom) const;
  // The class part of WM_CLASS, empty if none.
  std::string ClassOf(WindowId window) const;
  // The client area's top-left corner, root coordinates.
  platform::POINT Position(WindowId window) const;
  bool Viewable(WindowId window) const;

  // --- shapes and pixels ---
  // A window's shape (what is drawn, or what takes clicks) as a picture of its client
  // area: 1 where it is in, 0 where not.
  platform::Image Shape(WindowId window, ShapeKind kind) const;
  // The screen's pixels in the rectangle; pixels off the screen read as
  // 0xFFFFFFFF.
  platform::Image Screenshot(int x, int y, int width, int height) const;
  platform::Colour PixelAt(int x, int y) const;
  // A plain window of the test's own, mapped and raised.
  WindowId OpenWindow(int x, int y, int width, int height, platform::Colour colour,
                      bool overrideRedirect);

  void Close(WindowId window);
  // Asks for a top-level window to go elsewhere, as another program may.
  void MoveWindow(WindowId window, int x, int y);
  // Returns once the window manager has handled everything that happened
  // before the call, and what that handling itself set off.
  void SyncWindowManager();
  // The window that has the focus (_NET_ACTIVE_WINDOW), 0 for none.
  WindowId ActiveWindow() const;
  // Counts the top-level windows created from now on, by anyone.
  void WatchNewWindows();
  int NewWindows();

  // Ends the X server under everyone's feet.
  void StopServer();

  // For a desktop without openbox: a window manager that is still starting,
  // so it drops the first `dropped` map requests, then maps windows as asked.
  void RunStartingWindowManager(int dropped);
  // Top-level windows (children of the root) whose WM_CLASS class is `name`.
  std::vector<WindowId> TopLevelsOfClass(const std::string& name) const;

 private:
  struct Connection;
  void StartServer(const DesktopOptions& options);
  void SetMonitors(const std::vector<MonitorLayout>& monitors);
  unsigned long Intern(const char* name) const;

  std::filesystem::path folder_;
  Child server_;
  Child windowManager_;
  std::string displayName_;
  std::unique_ptr<Connection> x_;
  std::thread fakeManager_;
  std::atomic<bool> stopFakeManager_{false};
};

}  // namespace tobbelin_x11
