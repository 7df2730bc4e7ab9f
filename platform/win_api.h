// The Windows calls as the program makes them, by name, on the current
// runtime's system: SetWindowPos(hwnd, HWND_TOPMOST, ...) reads as it would on
// Windows, and runs on any backend.
#pragma once

#include "platform/forms.h"

namespace platform::api {

inline System& Sys() {
  return Runtime::Current().system();
}

inline std::int32_t SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                 std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  return Sys().SetWindowPos(window, insertAfter, x, y, cx, cy, flags);
}
inline std::int32_t GetWindowRect(Hwnd window, RECT* rect) {
  return Sys().GetWindowRect(window, rect);
}
inline std::int32_t GetCursorPos(POINT* point) {
  return Sys().GetCursorPos(point);
}
inline std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) {
  return Sys().SetWindowRgn(window, region, redraw);
}
inline std::int32_t ReleaseCapture() {
  return Sys().ReleaseCapture();
}
inline std::intptr_t SendMessageA(Hwnd window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
  return Sys().SendMessageA(window, message, wParam, lParam);
}
inline Hrgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom) {
  return Sys().CreateRectRgn(left, top, right, bottom);
}
inline std::int32_t CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2, std::int32_t mode) {
  return Sys().CombineRgn(destination, source1, source2, mode);
}
inline std::int32_t DeleteObject(Hrgn object) {
  return Sys().DeleteObject(object);
}
inline std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                              const char* defaultValue, char* buffer,
                                              std::uint32_t size, const char* file) {
  return Sys().GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
}
inline std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                               const char* value, const char* file) {
  return Sys().WritePrivateProfileStringA(section, key, value, file);
}
inline std::uint32_t GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) {
  return Sys().GetLongPathNameA(path, buffer, size);
}

}  // namespace platform::api
