// The watcher window: the dog's head, cut to its outline, kept above all
// ordinary windows. Load shapes it and puts it on top; a double-click stores
// its position and ends the program; its timer paints the eyes.
#pragma once

#include <memory>

#include "platform/forms.h"
#include "shaping/c_trimmer.h"

namespace watcher {

// The window's fixed configuration.
platform::FormConfig WendrelConfig();

class fWendrel : public platform::Form {
 public:
  fWendrel();

  std::unique_ptr<shaping::cTrimmer> Trimmer;  // made on first use

  // The eye tracking's state: overwritten by every tick, kept between ticks,
  // so a step that fails leaves the previous tick's value.
  platform::POINT CursorPos;
  platform::RECT WinRect;
  platform::POINT LeftEye;
  platform::POINT RightEye;
  double LeftDist = 0;
  double RightDist = 0;
  double LeftDirY = 0;
  double LeftDirX = 0;
  double RightDirY = 0;
  double RightDirX = 0;

  platform::Timer tmr;
  // An eyeball-coloured square left in the window's design; never shown.
  platform::Label lblTestColor;

 protected:
  void Form_Load() override;
  void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
  void Form_DblClick() override;

 private:
  void tmr_Timer();  // the eye tracking
};

}  // namespace watcher
