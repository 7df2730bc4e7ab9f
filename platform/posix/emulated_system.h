// The Windows calls of System given their effects from a few window
// primitives, for backends whose system has no such calls (X11, headless).
// Regions are Region objects behind handles; the settings file and the
// long-path call work on POSIX files, taking '\' as a path separator.
#pragma once

#include <map>

#include "platform/region.h"
#include "platform/system.h"

namespace platform::posix {

class EmulatedSystem : public System {
 public:
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

  // Region objects alive now (created and not yet deleted or given away).
  std::size_t LiveRegions() const { return regions_.size(); }

 protected:
  // The primitives behind the calls above.
  virtual bool IsWindow(Hwnd window) = 0;
  virtual SIZE FormWindowSize(Hwnd window) = 0;
  virtual void MakeTopmost(Hwnd window, bool activate) = 0;
  virtual POINT PointerPosition() = 0;
  // The window's shape from now on; nullptr gives back the whole rectangle.
  virtual void ApplyShape(Hwnd window, const Region* shape) = 0;
  virtual void ReleasePointer() = 0;
  // Starts a move of the window that follows the pointer until the left
  // button goes up.
  virtual void BeginMove(Hwnd window) = 0;

 private:
  std::map<Hrgn, Region> regions_;
  Hrgn nextRegion_ = 0x100;
};

}  // namespace platform::posix
