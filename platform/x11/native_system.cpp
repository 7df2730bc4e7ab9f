// The backend this executable is built with on Linux and other X11 systems.
#include "platform/x11/x11_system.h"

namespace platform {

std::unique_ptr<System> CreateNativeSystem() {
  return x11::X11System::Open();
}

}  // namespace platform
