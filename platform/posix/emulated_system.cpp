#include "platform/posix/emulated_system.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/posix/files.h"
#include "platform/profile.h"

namespace platform::posix {

std::int32_t EmulatedSystem::SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x,
                                          std::int32_t y, std::int32_t /*cx*/, std::int32_t /*cy*/,
                                          std::uint32_t flags) {
  if (!IsWindow(window)) return 0;
  if (insertAfter == HWND_TOPMOST) MakeTopmost(window, (flags & SWP_NOACTIVATE) == 0);
  if ((flags & SWP_NOMOVE) == 0) MoveFormWindow(window, x, y);
  return 1;
}

std::int32_t EmulatedSystem::GetWindowRect(Hwnd window, RECT* rect) {
  if (rect == nullptr || !IsWindow(window)) return 0;
  const POINT at = FormWindowPosition(window);
  const SIZE size = FormWindowSize(window);
  *rect = {at.x, at.y, at.x + size.cx, at.y + size.cy};
  return 1;
}

std::int32_t EmulatedSystem::GetCursorPos(POINT* point) {
  if (point == nullptr) return 0;
  *point = PointerPosition();
  return 1;
}

std::int32_t EmulatedSystem::SetWindowRgn(Hwnd window, Hrgn region, std::int32_t /*redraw*/) {
  if (!IsWindow(window)) return 0;
  if (region == 0) {
    ApplyShape(window, nullptr);
    return 1;
  }
  const auto it = regions_.find(region);
  if (it == regions_.end()) return 0;
  ApplyShape(window, &it->second);
  regions_.erase(it);  // the window owns it now
  return 1;
}

std::int32_t EmulatedSystem::ReleaseCapture() {
  ReleasePointer();
  return 1;
}

std::intptr_t EmulatedSystem::SendMessageA(Hwnd window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t /*lParam*/) {
  if (IsWindow(window) && message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) BeginMove(window);
  return 0;
}

Hrgn EmulatedSystem::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) {
  // Like the Windows call, accept the corners in either order.
  const Hrgn handle = nextRegion_++;
  regions_[handle] = Region::Rect(std::min(left, right), std::min(top, bottom),
                                  std::max(left, right), std::max(top, bottom));
  return handle;
}

std::int32_t EmulatedSystem::CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2,
                                        std::int32_t mode) {
  const auto d = regions_.find(destination);
  const auto a = regions_.find(source1);
  const auto b = regions_.find(source2);
  if (mode != RGN_OR || d == regions_.end() || a == regions_.end() || b == regions_.end()) {
    return RGN_ERROR;
  }
  if (destination == source1) {
    d->second.Add(b->second);
  } else {
    d->second = Region::Union(a->second, b->second);
  }
  return d->second.Complexity();
}

std::int32_t EmulatedSystem::DeleteObject(Hrgn object) {
  return regions_.erase(object) == 1 ? 1 : 0;
}

std::uint32_t EmulatedSystem::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultValue, char* buffer,
                                                       std::uint32_t size, const char* file) {
  if (buffer == nullptr || size == 0) return 0;
  std::string value = defaultValue == nullptr ? "" : defaultValue;
  if (section != nullptr && key != nullptr && file != nullptr && *file != '\0') {
    if (const auto text = ReadWholeFile(NativePath(file))) {
      if (auto found = profile::Get(*text, section, key)) value = std::move(*found);
    }
  }
  const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<std::uint32_t>(n);
}

std::int32_t EmulatedSystem::WritePrivateProfileStringA(const char* section, const char* key,
                                                        const char* value, const char* file) {
  if (section == nullptr || key == nullptr || value == nullptr || file == nullptr ||
      *file == '\0') {
    return 0;
  }
  const std::string path = NativePath(file);
  std::string text;
  if (const auto old = ReadWholeFile(path)) {
    text = *old;
  } else if (::access(path.c_str(), F_OK) == 0) {
    return 0;  // there, but not readable as a file: never overwrite it blind
  }
  const auto updated = profile::Set(text, section, key, value);
  if (!updated) return 0;
  if (*updated == text && !text.empty()) return 1;
  return ReplaceFile(path, *updated) ? 1 : 0;
}

std::uint32_t EmulatedSystem::GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) {
  if (path == nullptr) return 0;
  const auto longPath = LongPath(path);
  if (!longPath) return 0;
  // Like the Windows call: the size needed, NUL included, when it does not fit.
  if (buffer == nullptr || longPath->size() >= size) {
    return static_cast<std::uint32_t>(longPath->size() + 1);
  }
  std::memcpy(buffer, longPath->c_str(), longPath->size() + 1);
  return static_cast<std::uint32_t>(longPath->size());
}

}  // namespace platform::posix
