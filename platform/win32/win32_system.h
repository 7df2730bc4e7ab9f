// The System for Windows. The Windows calls the program makes by name go
// straight to the real functions; the form runtime's windows are popup
// windows whose picture is kept in an off-screen bitmap and painted from it.
#pragma once

// Our headers first: <windows.h> defines macros named like the constants of
// platform/win_types.h (HWND_TOPMOST, SWP_NOSIZE, ...).
#include "platform/system.h"
#include "platform/win32/surface.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace platform::win32 {

class Win32System final : public System {
 public:
  Win32System();
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  // --- the Windows calls, forwarded ---
  std::int32_t SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t GetWindowRect(Hwnd window, RECT* rect) override;
  std::int32_t GetCursorPos(POINT* point) override;
  std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) override;
  std::int32_t ReleaseCapture() override;
  std::intptr_t SendMessageA(Hwnd window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  Hrgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom) override;
  std::int32_t CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2, std::int32_t mode) override;
  std::int32_t DeleteObject(Hrgn object) override;
  std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                         const char* defaultValue, char* buffer, std::uint32_t size,
                                         const char* file) override;
  std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                          const char* file) override;
  std::uint32_t GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) override;

  // --- application object and screen ---
  bool PreviousInstance() override;
  std::string AppFolder() override;
  std::string AppExeName() override;
  int ScreenWidthPixels() override;
  int ScreenHeightPixels() override;

  // --- windows (form_windows.cpp) ---
  Hwnd CreateFormWindow(const WindowDesign& design) override;
  void MoveFormWindow(Hwnd window, int x, int y) override;
  POINT FormWindowPosition(Hwnd window) override;
  void ShowFormWindow(Hwnd window) override;
  void PresentImage(Hwnd window, const Image& image, const RECT& changed) override;
  void StartTimer(Hwnd window, int timerId, int intervalMs) override;
  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  int RunMessageLoop() override;
  void Quit() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Hands one event to the sink unless the program has ended.
  template <class Event>
  void Deliver(Event&& event);
  HWND Window(Hwnd window) const;
  void DestroyAllWindows();
  // The executable's full path, from the module itself.
  std::string ModulePath() const;

  // The window class of that name, registered on first use.
  ATOM WindowClass(const std::string& name);

  HINSTANCE instance_;
  std::map<std::string, ATOM> classes_;
  EventSink* sink_ = nullptr;
  bool quitting_ = false;
  HANDLE instanceMutex_ = nullptr;
  bool previousInstanceKnown_ = false;
  bool previousInstance_ = false;
  // Every live window, with its picture once it has one.
  std::map<HWND, std::unique_ptr<Surface>> windows_;
};

}  // namespace platform::win32
