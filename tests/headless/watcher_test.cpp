// The watcher window's input: a left press moves it, a double-click stores
// its position and ends the program.
#include <filesystem>

#include "app/app_modul.h"
#include "tests/headless/fixture.h"
#include "watcher/f_wendrel.h"

namespace tobbelin_test {
namespace {

using platform::headless::Fault;

class WatcherTest : public HeadlessTest {
 protected:
  void SetUp() override {
    runtime_.Start(app::AppModul::Main);
    window_ = runtime_.Instance<watcher::fWendrel>().hWnd();
    system_.ClearCalls();
  }
  const platform::headless::WindowState& State() const { return system_.Window(window_); }
  // A point on the dog: the left eye.
  void PointAtHead() { system_.MovePointer(State().position.x + 94, State().position.y + 68); }
  platform::Hwnd window_ = 0;
};

TEST_F(WatcherTest, DoubleClickStoresTopThenLeftAndEnds) {
  PointAtHead();
  system_.DoubleClick();
  EXPECT_TRUE(runtime_.Ended());
  EXPECT_TRUE(system_.Ended());
  // 822 x 15 = 12330 twips: whole pixels make whole twips.
  EXPECT_EQ(ReadIniText(), "[Ferrowind Tobbelin]\r\nTop=0\r\nLeft=12330\r\n");
  const auto writes = system_.CallsNamed("WritePrivateProfileStringA");
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].args[1], "\"Top\"");
  EXPECT_EQ(writes[1].args[1], "\"Left\"");
  EXPECT_LT(writes[1].seq, system_.CallsNamed("Quit").at(0).seq);

  // Once ended, nothing more is handled.
  system_.ClearCalls();
  system_.Tick();
  system_.PressButton(1);
  EXPECT_TRUE(system_.Calls().empty());
}

TEST_F(WatcherTest, DoubleClickEndsEvenWhenTheFileCannotBeWritten) {
  std::filesystem::create_directory(IniPath());
  PointAtHead();
  system_.DoubleClick();
  EXPECT_TRUE(runtime_.Ended());
  EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
}

TEST_F(WatcherTest, DoubleClickWhenWritingIsUnreachableStillEnds) {
  system_.InjectFault("WritePrivateProfileStringA", Fault::Unreachable);
  PointAtHead();
  system_.DoubleClick();
  EXPECT_TRUE(runtime_.Ended());
  EXPECT_EQ(system_.CallsNamed("WritePrivateProfileStringA").size(), 2u);  // both tried
}

TEST_F(WatcherTest, ADraggedWindowStoresNegativeTwips) {
  PointAtHead();
  system_.PressButton(1);
  system_.MovePointer(system_.Pointer().x - 832, system_.Pointer().y + 20);
  system_.ReleaseButton(1);
  EXPECT_EQ(State().position.x, -10);
  EXPECT_EQ(State().position.y, 20);
  system_.DoubleClick();
  EXPECT_EQ(ReadIniText(), "[Ferrowind Tobbelin]\r\nTop=300\r\nLeft=-150\r\n");
}

TEST_F(WatcherTest, OtherSectionsSurviveADoubleClick) {
  WriteIniText("[Colours]\r\nfur=brown\r\n[Ferrowind Tobbelin]\r\nTop=0\r\nLeft=12330\r\n");
  PointAtHead();
  system_.PressButton(1);
  system_.MovePointer(system_.Pointer().x + 10, system_.Pointer().y + 10);
  system_.ReleaseButton(1);
  system_.DoubleClick();
  EXPECT_EQ(ReadIniText(),
            "[Colours]\r\nfur=brown\r\n[Ferrowind Tobbelin]\r\nTop=150\r\nLeft=12480\r\n");
}

TEST_F(WatcherTest, ALeftPressHandsTheWindowToAMove) {
  PointAtHead();
  system_.PressButton(1, /*shift=*/3);
  const auto& calls = system_.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Text(), "ReleaseCapture()");
  EXPECT_EQ(calls[1].Text(), "SendMessageA(" + std::to_string(window_) + ", 161, 2, 0)");
  const platform::POINT before = State().position;
  system_.MovePointer(system_.Pointer().x + 37, system_.Pointer().y - 5);
  system_.MovePointer(system_.Pointer().x + 3, system_.Pointer().y + 25);
  system_.ReleaseButton(1);
  system_.MovePointer(0, 0);  // released: the window stays
  EXPECT_EQ(State().position.x, before.x + 40);
  EXPECT_EQ(State().position.y, before.y + 20);
}

TEST_F(WatcherTest, OtherButtonsDoNothing) {
  PointAtHead();
  for (int button : {2, 4}) {
    system_.PressButton(button);
    system_.ReleaseButton(button);
  }
  EXPECT_TRUE(system_.Calls().empty());
}

TEST_F(WatcherTest, APressOnASeeThroughPixelNeverReachesTheWindow) {
  // The top-left pixel is always see-through.
  system_.MovePointer(State().position.x, State().position.y);
  system_.PressButton(1);
  system_.DoubleClick();
  EXPECT_TRUE(system_.Calls().empty());
  EXPECT_FALSE(runtime_.Ended());
}

TEST_F(WatcherTest, AFailingMoveDropsOnlyThatPress) {
  system_.InjectFault("SendMessageA", Fault::Unreachable);
  PointAtHead();
  system_.PressButton(1);
  system_.ReleaseButton(1);
  system_.ClearFaults();
  system_.Tick();
  EXPECT_FALSE(runtime_.Ended());
  EXPECT_EQ(system_.CallsNamed("GetCursorPos").size(), 1u);
}

}  // namespace
}  // namespace tobbelin_test
