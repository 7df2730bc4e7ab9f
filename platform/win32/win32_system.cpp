// The Windows calls, forwarded to the real functions, and the application and
// screen objects.
#include "platform/win32/win32_system.h"

#include "platform/failure.h"

namespace platform::win32 {

namespace {

// One running copy per login session (the Local\ namespace), whatever folder
// it was started from.
constexpr const char* kInstanceMutexName = "Local\\Tobbelin.RunningCopy";

HWND ToHwnd(Hwnd window) {
  return reinterpret_cast<HWND>(window);  // NOLINT(performance-no-int-to-ptr)
}
HRGN ToHrgn(Hrgn region) {
  return reinterpret_cast<HRGN>(region);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace

Win32System::Win32System() : instance_(::GetModuleHandleA(nullptr)) {}

Win32System::~Win32System() {
  quitting_ = true;
  DestroyAllWindows();
  for (const auto& entry : classes_) ::UnregisterClassA(entry.first.c_str(), instance_);
  if (instanceMutex_ != nullptr) ::CloseHandle(instanceMutex_);
}

// --- the Windows calls ---

std::int32_t Win32System::SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x,
                                       std::int32_t y, std::int32_t cx, std::int32_t cy,
                                       std::uint32_t flags) {
  return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags);
}

std::int32_t Win32System::GetWindowRect(Hwnd window, RECT* rect) {
  if (rect == nullptr) return 0;
  ::RECT r{};
  if (::GetWindowRect(ToHwnd(window), &r) == 0) return 0;
  *rect = {r.left, r.top, r.right, r.bottom};
  return 1;
}

std::int32_t Win32System::GetCursorPos(POINT* point) {
  if (point == nullptr) return 0;
  ::POINT p{};
  if (::GetCursorPos(&p) == 0) return 0;
  *point = {p.x, p.y};
  return 1;
}

std::int32_t Win32System::SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) {
  return ::SetWindowRgn(ToHwnd(window), ToHrgn(region), redraw);
}

std::int32_t Win32System::ReleaseCapture() {
  return ::ReleaseCapture();
}

std::intptr_t Win32System::SendMessageA(Hwnd window, std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  return ::SendMessageA(ToHwnd(window), message, wParam, lParam);
}

Hrgn Win32System::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom) {
  return reinterpret_cast<Hrgn>(::CreateRectRgn(left, top, right, bottom));
}

std::int32_t Win32System::CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2,
                                     std::int32_t mode) {
  return ::CombineRgn(ToHrgn(destination), ToHrgn(source1), ToHrgn(source2), mode);
}

std::int32_t Win32System::DeleteObject(Hrgn object) {
  return ::DeleteObject(ToHrgn(object));
}

std::uint32_t Win32System::GetPrivateProfileStringA(const char* section, const char* key,
                                                    const char* defaultValue, char* buffer,
                                                    std::uint32_t size, const char* file) {
  return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
}

std::int32_t Win32System::WritePrivateProfileStringA(const char* section, const char* key,
                                                     const char* value, const char* file) {
  return ::WritePrivateProfileStringA(section, key, value, file);
}

std::uint32_t Win32System::GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) {
  return ::GetLongPathNameA(path, buffer, size);
}

// --- application object and screen ---

bool Win32System::PreviousInstance() {
  if (!previousInstanceKnown_) {
    // The handle stays open until the process ends: while it is open, later
    // starts find the name taken.
    instanceMutex_ = ::CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    previousInstance_ = instanceMutex_ != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    previousInstanceKnown_ = true;
  }
  return previousInstance_;
}

std::string Win32System::ModulePath() const {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) Fail(Failure::Kind::Unreachable, "the executable's path is unknown");
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: try a larger buffer
  }
}

std::string Win32System::AppFolder() {
  std::string path = ModulePath();
  const auto slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return path;
  // "C:\tobbelin.exe" lives in "C:\", "C:\Tools\tobbelin.exe" in "C:\Tools".
  const bool driveRoot = slash == 2 && path[1] == ':';
  path.resize(driveRoot ? slash + 1 : slash);
  return path;
}

std::string Win32System::AppExeName() {
  std::string name = ModulePath();
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

int Win32System::ScreenWidthPixels() {
  return ::GetSystemMetrics(SM_CXSCREEN);
}

int Win32System::ScreenHeightPixels() {
  return ::GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace platform::win32

namespace platform {

std::unique_ptr<System> CreateNativeSystem() {
  return std::make_unique<win32::Win32System>();
}

}  // namespace platform
