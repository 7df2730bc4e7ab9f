#include "app/app_modul.h"

#include <string>

#include "app/commands.h"
#include "platform/convert.h"
#include "platform/failure.h"
#include "platform/forms.h"
#include "watcher/f_wendrel.h"

namespace app::AppModul {

void Main() {
  using platform::CarryOn;
  namespace C = Commands;

  // A second copy ends before it touches anything.
  CarryOn([] {
    if (platform::AppPrevInstance()) platform::End();
  });
  CarryOn([] { C::InitEnvironment(); });
  CarryOn([] { C::InitIniFile(); });
  std::string top;
  std::string left;
  CarryOn([&] { top = C::ReadIni(C::AppTitle, "Top", C::IniFile, ""); });
  CarryOn([&] { left = C::ReadIni(C::AppTitle, "Left", C::IniFile, ""); });

  // Not loaded yet: the first property change below loads it.
  auto& window = platform::Runtime::Current().Instance<watcher::fWendrel>();
  if (!top.empty() || !left.empty()) {
    CarryOn([&] { window.SetTop(platform::ToSingle(platform::Val(top))); });
    CarryOn([&] { window.SetLeft(platform::ToSingle(platform::Val(left))); });
  } else {
    CarryOn([&] { window.SetTop(0); });
    CarryOn([&] {
      const std::int32_t screen = platform::ToInt32(platform::ScreenWidth());
      const std::int32_t width = platform::ToInt32(window.Width());
      window.SetLeft(static_cast<float>(platform::SubChecked(screen / 2, width / 2)));
    });
  }
  CarryOn([&] { window.Show(); });
}

}  // namespace app::AppModul
