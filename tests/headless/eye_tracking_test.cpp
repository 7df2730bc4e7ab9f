// The eye tracking through the timer: what each tick reads, computes and draws.
#include <cmath>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/forms.h"
#include "tests/headless/fixture.h"
#include "watcher/eye_maths.h"
#include "watcher/f_wendrel.h"

namespace tobbelin_test {
namespace {

using platform::headless::Fault;

class EyeTrackingTest : public HeadlessTest {
 protected:
  void SetUp() override {
    wendrel_ = &runtime_.Instance<watcher::fWendrel>();
    wendrel_->SetTop(1500);  // loads it; window at pixel (94, 100)
    wendrel_->SetLeft(1500);
    wendrel_->Show();
    system_.ClearCalls();
  }
  // The drawing calls of the last tick, as text.
  std::vector<std::string> Drawn() const {
    std::vector<std::string> drawn;
    for (const auto& call : system_.Calls()) {
      if (call.name == "Circle" || call.name == "FillColor") drawn.push_back(call.Text());
    }
    return drawn;
  }
  void TickAt(int x, int y) {
    system_.MovePointer(x, y);
    system_.ClearCalls();
    system_.Tick();
  }
  watcher::fWendrel* wendrel_ = nullptr;
};

TEST_F(EyeTrackingTest, EveryTickReadsThenPaintsEyeballsThenPupils) {
  TickAt(294, 168);
  const auto& calls = system_.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "GetWindowRect");
  EXPECT_EQ(calls[1].name, "GetCursorPos");
  EXPECT_EQ(Drawn(),
            (std::vector<std::string>{"FillColor(8438015)", "Circle(94, 68, 9, 8438015)",
                                      "Circle(180, 68, 9, 8438015)", "FillColor(0)",
                                      "Circle(98, 68, 5, 10848)", "Circle(184, 68, 5, 10848)"}));
  EXPECT_EQ(wendrel_->FillColor(), 0u);
  EXPECT_EQ(system_.Calls().back().name, "Present");  // one finished picture per tick
  EXPECT_EQ(system_.CallsNamed("Present").size(), 1u);
}

struct Example {
  platform::POINT pointer;
  double leftDist, leftDirX, leftDirY;
  double rightDist, rightDirX, rightDirY;
  double leftPupilX, leftPupilY, rightPupilX, rightPupilY;
};

TEST_F(EyeTrackingTest, TheWorkedExamples) {
  wendrel_->SetTop(1500);
  wendrel_->SetLeft(1500);  // window rectangle's corner at (100, 100)
  // Window corner (100, 100): eyes at (194, 168) and (280, 168) on the screen.
  const Example examples[] = {
      {{294, 168}, 100, -1, 0, 14, -1, 0, 98, 68, 184, 68},
      {{237, 168}, 43, -1, 0, 43, 1, 0, 98, 68, 176, 68},
      {{194, 68}, 100, 0, 1, 131.894, 0.652, 0.758, 94, 64, 177.392, 64.967},
      {{224, 208}, 50, -0.6, -0.8, 68.819, 0.814, -0.581, 96.4, 71.2, 176.745, 70.325},
      {{194, 168}, 1, 0, 0, 86, 1, 0, 94, 68, 176, 68},  // on the left eye's centre
  };
  for (const Example& e : examples) {
    TickAt(e.pointer.x, e.pointer.y);
    SCOPED_TRACE(std::to_string(e.pointer.x) + "," + std::to_string(e.pointer.y));
    EXPECT_NEAR(wendrel_->LeftDist, e.leftDist, 5e-4);
    EXPECT_NEAR(wendrel_->LeftDirX, e.leftDirX, 5e-4);
    EXPECT_NEAR(wendrel_->LeftDirY, e.leftDirY, 5e-4);
    EXPECT_NEAR(wendrel_->RightDist, e.rightDist, 5e-4);
    EXPECT_NEAR(wendrel_->RightDirX, e.rightDirX, 5e-4);
    EXPECT_NEAR(wendrel_->RightDirY, e.rightDirY, 5e-4);
    const auto circles = system_.CallsNamed("Circle");
    ASSERT_EQ(circles.size(), 4u);
    // The pupils' centres reach the circle with their fractions.
    EXPECT_NEAR(std::stod(circles[2].args[0]), e.leftPupilX, 5e-4);
    EXPECT_NEAR(std::stod(circles[2].args[1]), e.leftPupilY, 5e-4);
    EXPECT_NEAR(std::stod(circles[3].args[0]), e.rightPupilX, 5e-4);
    EXPECT_NEAR(std::stod(circles[3].args[1]), e.rightPupilY, 5e-4);
  }
  // Exactly as 32-bit floats: 94 - 4 x 0.6 and 68 - 4 x -0.8.
  TickAt(224, 208);
  EXPECT_EQ(system_.CallsNamed("Circle")[2].Text(), "Circle(96.4, 71.2, 5, 10848)");
}

TEST_F(EyeTrackingTest, NegativeCoordinatesKeepThePupilsFourPixelsOut) {
  wendrel_->SetLeft(-3000);  // x -200, partly off the screen
  wendrel_->SetTop(-600);    // y -40
  TickAt(-1000, -900);
  EXPECT_EQ(wendrel_->LeftEye.x, -106);
  EXPECT_EQ(wendrel_->LeftEye.y, 28);
  EXPECT_NEAR(std::hypot(wendrel_->LeftDirX, wendrel_->LeftDirY), 1.0, 1e-12);
  EXPECT_NEAR(std::hypot(wendrel_->RightDirX, wendrel_->RightDirY), 1.0, 1e-12);
  EXPECT_GT(wendrel_->LeftDirX, 0);  // the pointer is up and to the left
  EXPECT_GT(wendrel_->LeftDirY, 0);
}

TEST_F(EyeTrackingTest, AFailedReadLeavesThePreviousTicksValues) {
  TickAt(294, 168);
  const platform::POINT cursor = wendrel_->CursorPos;
  for (Fault fault : {Fault::Unreachable, Fault::Reports}) {
    system_.InjectFault("GetCursorPos", fault);
    TickAt(10, 10);
    EXPECT_EQ(wendrel_->CursorPos.x, cursor.x);
    EXPECT_EQ(wendrel_->CursorPos.y, cursor.y);
    EXPECT_EQ(Drawn().size(), 6u);  // the tick still draws, from the old values
    EXPECT_EQ(Drawn()[4], "Circle(98, 68, 5, 10848)");
    system_.ClearFaults();
  }
  system_.InjectFault("GetWindowRect", Fault::Unreachable);
  wendrel_->SetLeft(0);
  TickAt(294, 168);
  EXPECT_EQ(wendrel_->WinRect.left, 100);  // still the old rectangle
}

TEST_F(EyeTrackingTest, BeforeAnyTickTheStateIsZero) {
  watcher::fWendrel& w = *wendrel_;
  EXPECT_EQ(w.CursorPos.x, 0);
  EXPECT_EQ(w.WinRect.right, 0);
  EXPECT_EQ(w.LeftDist, 0.0);
  EXPECT_EQ(w.RightDirX, 0.0);
}

TEST_F(EyeTrackingTest, TheWindowShowsThePupilTurnedTowardsThePointer) {
  wendrel_->SetTop(1500);
  wendrel_->SetLeft(1500);
  const auto& image = [&]() -> const platform::Image& {
    return system_.Window(wendrel_->hWnd()).image;
  };
  // Straight above the left eye: the pupil's dark centre is at y 64.
  TickAt(194, 0);
  EXPECT_EQ(image().at(94, 64), 0u);
  EXPECT_EQ(image().at(94, 72), watcher::kEyeballColour);
  // Straight below: at y 72, and nothing of the old pupil is left.
  TickAt(194, 1000);
  EXPECT_EQ(image().at(94, 72), 0u);
  EXPECT_EQ(image().at(94, 64), watcher::kEyeballColour);
  // The screen took every pixel that changed: it shows the window's picture.
  EXPECT_EQ(image(), wendrel_->Shown());
  // Outside the eyeball, the picture is untouched.
  const auto picture = platform::DecodeBmp(assets::PictureBmp());
  ASSERT_TRUE(picture);
  EXPECT_EQ(image().at(94, 57), picture->at(94, 57));
  EXPECT_EQ(image().at(110, 68), picture->at(110, 68));
}

TEST_F(EyeTrackingTest, RepeatedTicksDoNotSmearTheEdges) {
  wendrel_->SetTop(1500);
  wendrel_->SetLeft(1500);
  TickAt(194, 1000);
  const platform::Image first = system_.Window(wendrel_->hWnd()).image;
  for (int i = 0; i < 5; ++i) {
    TickAt(194, 0);
    TickAt(194, 1000);
  }
  EXPECT_EQ(system_.Window(wendrel_->hWnd()).image, first);
}

}  // namespace
}  // namespace tobbelin_test
