#include "watcher/f_wendrel.h"

#include "app/commands.h"
#include "assets/assets.h"
#include "platform/convert.h"
#include "platform/failure.h"
#include "platform/win_api.h"
#include "watcher/eye_maths.h"

namespace watcher {

using platform::CarryOn;

platform::FormConfig WendrelConfig() {
  platform::FormConfig config;
  config.caption = "Form1";
  config.className = "tobbelin";
  config.borderless = true;
  config.showInTaskbar = false;
  config.backColor = 0x00FFFFFF;
  config.foreColor = 0x00000000;
  config.fillColor = 0x00FFFFC0;
  config.scaleMode = platform::kScalePixels;
  config.autoRedraw = false;
  config.left = 1410;
  config.top = 2280;
  config.clientWidth = 4155;  // 277 x 220 pixels: the picture's size
  config.clientHeight = 3300;
  config.picture = assets::PictureBmp();
  config.icon = assets::IconIco();
  return config;
}

fWendrel::fWendrel()
    : platform::Form(WendrelConfig()),
      tmr(*this, 70, true, [this] { tmr_Timer(); }),
      lblTestColor{kEyeballColour, 3540, 2730, 405, 405, false} {}

void fWendrel::Form_Load() {
  // Shaped first, then on top: it appears already cut to its outline.
  CarryOn([&] {
    if (!Trimmer) Trimmer = std::make_unique<shaping::cTrimmer>();
  });
  CarryOn([&] {
    if (!Trimmer) platform::Fail(platform::Failure::Kind::InvalidValue, "no trimmer");
    Trimmer->TrimForm(*this);
  });
  CarryOn([&] {
    const platform::Hwnd window = hWnd();
    platform::api::SetWindowPos(
        window, platform::HWND_TOPMOST, 0, 0, 0, 0,
        platform::SWP_NOSIZE | platform::SWP_NOMOVE | platform::SWP_NOACTIVATE);
  });
}

void fWendrel::Form_MouseDown(std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                              float /*y*/) {
  // No failure handling of its own: a failure here reaches the runtime.
  if (button != 1) return;
  if (!Trimmer) Trimmer = std::make_unique<shaping::cTrimmer>();
  Trimmer->GrabForm(*this);
}

void fWendrel::Form_DblClick() {
  namespace C = app::Commands;
  CarryOn([&] { C::WriteIni(C::AppTitle, "Top", platform::SingleToText(Top()), C::IniFile); });
  CarryOn([&] { C::WriteIni(C::AppTitle, "Left", platform::SingleToText(Left()), C::IniFile); });
  platform::End();
}

}  // namespace watcher
