// The executable: the native system, the form runtime, and the program's Main.
#include <memory>

#include "app/app_modul.h"
#include "platform/forms.h"
#include "platform/system.h"

int main() {
  const std::unique_ptr<platform::System> system = platform::CreateNativeSystem();
  if (!system) return 1;  // the backend said why
  platform::Runtime runtime(*system);
  return runtime.Run(app::AppModul::Main);
}
