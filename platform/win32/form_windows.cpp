// The form runtime's windows on Windows: popup windows cut to their region,
// painted from an off-screen bitmap, and the message loop that delivers their
// events.
#include "platform/failure.h"
#include "platform/win32/win32_system.h"

#include <cstdint>
#include <vector>

namespace platform::win32 {

namespace {

// The executable's icon (tobbelin.rc).
constexpr WORD kIconResource = 1;
// The arrow pointer among the system's cursors.
constexpr WORD kArrowCursor = 32512;

LPCSTR ResourceName(WORD id) {
  return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(id));  // NOLINT(performance-no-int-to-ptr)
}

// Shift, Ctrl and Alt as the form runtime counts them: 1, 2 and 4.
int ShiftState(WPARAM wParam) {
  int shift = 0;
  if ((wParam & MK_SHIFT) != 0) shift |= 1;
  if ((wParam & MK_CONTROL) != 0) shift |= 2;
  if (::GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

// Client coordinates packed in a mouse message, signed.
int LowSigned(LPARAM lParam) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lParam & 0xFFFF));
}
int HighSigned(LPARAM lParam) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF));
}

// The form runtime's button numbers: 1 left, 2 right, 4 middle.
int ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return 2;
    default:
      return 4;
  }
}

// Timer ids on Windows start at 1: 0 is not a usable id for every caller.
UINT_PTR TimerIdFor(int timerId) {
  return static_cast<UINT_PTR>(timerId) + 1;
}

}  // namespace

HWND Win32System::Window(Hwnd window) const {
  const HWND handle = reinterpret_cast<HWND>(window);  // NOLINT(performance-no-int-to-ptr)
  if (windows_.count(handle) == 0) Fail(Failure::Kind::InvalidValue, "no such window");
  return handle;
}

ATOM Win32System::WindowClass(const std::string& name) {
  const auto known = classes_.find(name);
  if (known != classes_.end()) return known->second;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &Win32System::WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = ::LoadIconA(instance_, ResourceName(kIconResource));
  wc.hIconSm = static_cast<HICON>(::LoadImageA(instance_, ResourceName(kIconResource), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = ::LoadCursorA(nullptr, ResourceName(kArrowCursor));
  wc.hbrBackground = nullptr;  // the picture covers everything; no erase, no flicker
  wc.lpszClassName = name.c_str();
  const ATOM atom = ::RegisterClassExA(&wc);
  if (atom == 0) Fail(Failure::Kind::Unreachable, "cannot register the window class");
  classes_[name] = atom;
  return atom;
}

Hwnd Win32System::CreateFormWindow(const WindowDesign& design) {
  const std::string className = design.className.empty() ? "TobbelinForm" : design.className;
  const ATOM atom = WindowClass(className);
  const DWORD style = design.borderless ? WS_POPUP : WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // A tool window has no taskbar button. No-activate: neither a press nor the
  // move the program starts with one takes the focus from another program.
  const DWORD exStyle =
      WS_EX_NOACTIVATE | (design.taskbarButton ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW);
  ::RECT frame{design.x, design.y, design.x + design.width, design.y + design.height};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const HWND hwnd = ::CreateWindowExA(exStyle, ResourceName(atom), design.title.c_str(), style,
                                      frame.left, frame.top, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (hwnd == nullptr) Fail(Failure::Kind::Unreachable, "cannot create the window");
  windows_[hwnd] = nullptr;
  return reinterpret_cast<Hwnd>(hwnd);
}

POINT Win32System::FormWindowPosition(Hwnd window) {
  ::POINT client{0, 0};
  if (::ClientToScreen(Window(window), &client) == 0) {
    Fail(Failure::Kind::Unreachable, "cannot read the window's position");
  }
  return {client.x, client.y};
}

void Win32System::MoveFormWindow(Hwnd window, int x, int y) {
  const HWND hwnd = Window(window);
  ::RECT frame{};
  ::POINT client{0, 0};
  if (::GetWindowRect(hwnd, &frame) == 0 || ::ClientToScreen(hwnd, &client) == 0 ||
      ::SetWindowPos(hwnd, nullptr, x - (client.x - frame.left), y - (client.y - frame.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) == 0) {
    Fail(Failure::Kind::Unreachable, "cannot move the window");
  }
}

void Win32System::ShowFormWindow(Hwnd window) {
  const HWND hwnd = Window(window);
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  ::UpdateWindow(hwnd);  // painted at once from the kept picture
}

void Win32System::PresentImage(Hwnd window, const Image& image, const RECT& changed) {
  const HWND hwnd = Window(window);
  std::unique_ptr<Surface>& surface = windows_[hwnd];
  const bool fresh =
      !surface || surface->width() != image.width() || surface->height() != image.height();
  if (fresh) surface = std::make_unique<Surface>(image.width(), image.height());
  // A new surface takes the whole picture; afterwards only what changed.
  const ::RECT area = fresh ? ::RECT{0, 0, image.width(), image.height()}
                            : ::RECT{changed.left, changed.top, changed.right, changed.bottom};
  surface->Copy(image, area);
  // That part at once, painted now rather than at the next idle moment.
  ::InvalidateRect(hwnd, &area, FALSE);
  ::UpdateWindow(hwnd);
}

void Win32System::StartTimer(Hwnd window, int timerId, int intervalMs) {
  if (timerId < 0 || intervalMs <= 0) Fail(Failure::Kind::InvalidValue, "invalid timer");
  if (::SetTimer(Window(window), TimerIdFor(timerId), static_cast<UINT>(intervalMs), nullptr) ==
      0) {
    Fail(Failure::Kind::Unreachable, "cannot start the timer");
  }
}

int Win32System::RunMessageLoop() {
  MSG msg{};
  // 0 is WM_QUIT, -1 a broken loop: either way the program is over.
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}

void Win32System::Quit() {
  quitting_ = true;
  DestroyAllWindows();
  ::PostQuitMessage(0);
}

void Win32System::DestroyAllWindows() {
  std::vector<HWND> handles;
  for (const auto& entry : windows_) handles.push_back(entry.first);
  for (const HWND hwnd : handles) ::DestroyWindow(hwnd);
  windows_.clear();
}

template <class Event>
void Win32System::Deliver(Event&& event) {
  if (quitting_ || sink_ == nullptr) return;
  try {
    event(*sink_);
  } catch (...) {  // NOLINT(bugprone-empty-catch): nothing may unwind through the system's frames
  }
}

LRESULT CALLBACK Win32System::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32System*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Handle(hwnd, message, wParam, lParam);
}

LRESULT Win32System::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Hwnd window = reinterpret_cast<Hwnd>(hwnd);
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click never takes the focus from another program
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = ::BeginPaint(hwnd, &paint);
      const auto it = windows_.find(hwnd);
      if (dc != nullptr && it != windows_.end() && it->second) it->second->Paint(dc, paint.rcPaint);
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // with CS_DBLCLKS a quick second press comes as this
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const int button = ButtonOf(message);
      const int shift = ShiftState(wParam);
      const int x = LowSigned(lParam);
      const int y = HighSigned(lParam);
      Deliver([&](EventSink& sink) { sink.OnMouseDown(window, button, shift, x, y); });
      return 0;
    }
    case WM_LBUTTONDBLCLK:
    // The first press handed the window to the system's move as if on a title
    // bar, so the second may come as a non-client double-click. It is ours:
    // given to DefWindowProc it would count as a double-click on a caption.
    case WM_NCLBUTTONDBLCLK:
      Deliver([&](EventSink& sink) { sink.OnDblClick(window); });
      return 0;
    case WM_NCLBUTTONDOWN:
      // The program hands a press over as if it were on a title bar. Straight
      // into the system's move: the default handling would first activate
      // the window, taking the focus from another program.
      if (wParam == HTCAPTION) {
        return ::DefWindowProcA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      }
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_TIMER: {
      const int timerId = static_cast<int>(wParam) - 1;
      Deliver([&](EventSink& sink) { sink.OnTimer(window, timerId); });
      return 0;
    }
    case WM_DESTROY:
      windows_.erase(hwnd);
      // Closed from outside (the system shutting down, a task manager): the
      // program ends with its last window.
      if (windows_.empty()) ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace platform::win32
