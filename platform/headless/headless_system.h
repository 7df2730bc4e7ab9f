// A system without a display, for tests: a virtual screen and pointer, input
// and timer ticks injected by the test, and a numbered record of every call
// the program makes, with its arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/posix/emulated_system.h"

namespace platform::headless {

struct Call {
  int seq = 0;  // 1, 2, 3, ... in the order made
  std::string name;
  std::vector<std::string> args;
  // "SetWindowPos(65537, -1, 0, 0, 0, 0, 19)"
  std::string Text() const;
};

// How an injected fault makes a call fail.
enum class Fault {
  Unreachable,  // the call cannot be made: it raises a Failure
  Reports,      // the call is made but reports failure and does nothing
};

struct WindowState {
  WindowDesign design;
  POINT position;
  bool visible = false;
  bool topmost = false;
  bool activated = false;
  std::optional<Region> shape;  // none: the whole rectangle
  Image image;                  // the last picture put on the window
  int presents = 0;
};

class HeadlessSystem final : public posix::EmulatedSystem {
 public:
  explicit HeadlessSystem(int screenWidth = 1920, int screenHeight = 1080);

  // --- what the test sets up ---
  void SetPreviousInstance(bool running) { previousInstance_ = running; }
  void SetAppFolder(std::string folder) { appFolder_ = std::move(folder); }
  void SetAppExeName(std::string name) { exeName_ = std::move(name); }
  void InjectFault(const std::string& callName, Fault fault) { faults_[callName] = fault; }
  void ClearFaults() { faults_.clear(); }
  // Off: calls are not recorded (for benchmarks); faults still apply.
  void SetRecording(bool on) { recording_ = on; }

  // --- input ---
  // Moves the virtual pointer; a window being moved follows it.
  void MovePointer(int x, int y);
  // A button goes down at the pointer: the window whose shape is under it
  // gets MouseDown. 1 left, 2 right, 4 middle.
  void PressButton(int button, int shift = 0);
  void ReleaseButton(int button);
  // Press, release, press, release at the pointer: MouseDown, then DblClick.
  void DoubleClick();
  // One tick of every running timer.
  void Tick();

  // --- what the test reads ---
  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsNamed(const std::string& name) const;
  // The position in Calls() of the first call of that name, or -1.
  int IndexOf(const std::string& name) const;
  void ClearCalls() { calls_.clear(); }
  const WindowState& Window(Hwnd window) const { return windows_.at(window); }
  std::vector<Hwnd> Windows() const;
  bool Ended() const { return quit_; }
  POINT Pointer() const { return pointer_; }
  // The window under a screen point (shape honoured), or 0.
  Hwnd WindowAt(int x, int y) const;

  // --- System ---
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

  bool PreviousInstance() override;
  std::string AppFolder() override;
  std::string AppExeName() override;
  int ScreenWidthPixels() override { return screenWidth_; }
  int ScreenHeightPixels() override { return screenHeight_; }
  Hwnd CreateFormWindow(const WindowDesign& design) override;
  void MoveFormWindow(Hwnd window, int x, int y) override;
  POINT FormWindowPosition(Hwnd window) override;
  void ShowFormWindow(Hwnd window) override;
  // Like a real screen, takes only the pixels inside `changed`: a changed
  // area drawn too small shows as stale pixels in the window's image.
  void PresentImage(Hwnd window, const Image& image, const RECT& changed) override;
  void StartTimer(Hwnd window, int timerId, int intervalMs) override;
  void SetEventSink(EventSink* sink) override { sink_ = sink; }
  int RunMessageLoop() override { return 0; }
  void Quit() override;
  bool NotesDrawing() const override { return recording_; }
  void NoteDrawing(const std::string& call) override;

 protected:
  bool IsWindow(Hwnd window) override { return windows_.count(window) == 1; }
  SIZE FormWindowSize(Hwnd window) override;
  void MakeTopmost(Hwnd window, bool activate) override;
  POINT PointerPosition() override { return pointer_; }
  void ApplyShape(Hwnd window, const Region* shape) override;
  void ReleasePointer() override;
  void BeginMove(Hwnd window) override;

 private:
  // Records a call; true when an injected fault says it reports failure.
  // Raises Failure when the fault makes it unreachable.
  bool Record(const std::string& name, std::vector<std::string> args);
  WindowState& State(Hwnd window);

  int screenWidth_;
  int screenHeight_;
  bool previousInstance_ = false;
  std::string appFolder_ = "/opt/tobbelin";
  std::string exeName_ = "tobbelin";
  std::map<std::string, Fault> faults_;
  std::vector<Call> calls_;
  bool recording_ = true;
  std::map<Hwnd, WindowState> windows_;
  Hwnd nextWindow_ = 0x10001;
  std::vector<std::pair<Hwnd, int>> timers_;
  EventSink* sink_ = nullptr;
  bool quit_ = false;
  POINT pointer_;
  std::set<int> buttonsDown_;
  Hwnd capture_ = 0;
  Hwnd moving_ = 0;
  POINT moveAnchor_;
};

}  // namespace platform::headless
