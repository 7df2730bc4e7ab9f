// The one interface between the program and the operating system.
//
// Two layers in one class:
//  - the Windows calls the program makes by name (SetWindowPos, CreateRectRgn,
//    GetPrivateProfileStringA, ...). The Windows backend forwards them to the
//    real functions; elsewhere EmulatedSystem gives them the same effects from
//    the window primitives below.
//  - the window primitives the form runtime needs: create a window, move and
//    show it, put a finished picture on it, timers, the pointer, the screen,
//    the application object, the message loop.
// Every method may raise platform::Failure when the call cannot be made.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/image.h"
#include "platform/win_types.h"

namespace platform {

// What the form runtime tells a backend about a window it creates.
struct WindowDesign {
  std::string title;      // never displayed: the window has no title bar
  std::string className;  // e.g. WM_CLASS on X11
  int x = 0;              // screen pixels, top-left of the client area
  int y = 0;
  int width = 0;  // client area, pixels
  int height = 0;
  bool borderless = true;
  bool taskbarButton = false;
  std::span<const std::uint8_t> icon;  // a .ico file, may be empty
};

// Events a backend delivers, one at a time, on the user-interface thread.
class EventSink {
 public:
  virtual ~EventSink() = default;
  // A button went down over the window's shape. Button: 1 left, 2 right, 4 middle.
  // x, y: pixels from the client area's top-left corner.
  virtual void OnMouseDown(Hwnd window, int button, int shift, int x, int y) = 0;
  virtual void OnDblClick(Hwnd window) = 0;
  virtual void OnTimer(Hwnd window, int timerId) = 0;
};

class System {
 public:
  virtual ~System() = default;

  // --- Windows user interface ---
  virtual std::int32_t SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
  virtual std::int32_t GetWindowRect(Hwnd window, RECT* rect) = 0;
  virtual std::int32_t GetCursorPos(POINT* point) = 0;
  virtual std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) = 0;
  virtual std::int32_t ReleaseCapture() = 0;
  virtual std::intptr_t SendMessageA(Hwnd window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;

  // --- Windows graphics ---
  virtual Hrgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) = 0;
  virtual std::int32_t CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2,
                                  std::int32_t mode) = 0;
  virtual std::int32_t DeleteObject(Hrgn object) = 0;

  // --- Windows kernel (ANSI forms) ---
  virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                 const char* defaultValue, char* buffer,
                                                 std::uint32_t size, const char* file) = 0;
  virtual std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                                  const char* value, const char* file) = 0;
  virtual std::uint32_t GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) = 0;

  // --- application object and screen ---
  // True when another copy of this program already runs. Asked once, at start;
  // the answer "no" makes this process the running copy until it ends.
  virtual bool PreviousInstance() = 0;
  // The executable's folder, full path; a trailing separator only at a root.
  virtual std::string AppFolder() = 0;
  // The executable's file name without its extension.
  virtual std::string AppExeName() = 0;
  // The primary monitor's size, pixels.
  virtual int ScreenWidthPixels() = 0;
  virtual int ScreenHeightPixels() = 0;
  // Twips per pixel: 15 at the usual 96 dots per inch.
  virtual int TwipsPerPixel() { return 15; }

  // --- windows ---
  // Creates a hidden top-level window at design.x, design.y.
  virtual Hwnd CreateFormWindow(const WindowDesign& design) = 0;
  // Moves the window's top-left corner to (x, y), screen pixels.
  virtual void MoveFormWindow(Hwnd window, int x, int y) = 0;
  // The window's top-left corner, screen pixels, as it stands now.
  virtual POINT FormWindowPosition(Hwnd window) = 0;
  // Makes the window visible where it stands, without activating it.
  virtual void ShowFormWindow(Hwnd window) = 0;
  // Puts a finished picture of the whole client area on the window. It stays
  // there (also across repaints) until the next one. No pixel outside
  // `changed` (client pixels; right and bottom outside) differs from the last
  // picture, so a backend may send only that part.
  virtual void PresentImage(Hwnd window, const Image& image, const RECT& changed) = 0;
  // Starts a timer that delivers OnTimer(window, timerId) every intervalMs.
  virtual void StartTimer(Hwnd window, int timerId, int intervalMs) = 0;

  // --- the message loop ---
  // Where events go. Set once, before the loop runs.
  virtual void SetEventSink(EventSink* sink) = 0;
  // Delivers events until Quit; returns the process's exit code.
  virtual int RunMessageLoop() = 0;
  // Ends the program at once: no further event is delivered.
  virtual void Quit() = 0;

  // The form runtime tells the backend what it draws, where the backend
  // wants to know (a recorder for tests); others pay nothing for it.
  virtual bool NotesDrawing() const { return false; }
  virtual void NoteDrawing(const std::string& /*call*/) {}
};

// The backend this executable is built with (X11 on Linux, Win32 on Windows).
std::unique_ptr<System> CreateNativeSystem();

}  // namespace platform
