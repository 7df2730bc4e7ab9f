// Moving the head with the left button, and the double-click that stores its
// position in the settings file and ends the program.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

constexpr platform::POINT kLeftEye{94, 68};  // solid, on the head

struct Drag {
  const char* name;
  platform::POINT travel;
};

void PrintTo(const Drag& drag, std::ostream* out) {
  *out << drag.name;
}

class DragTest : public ::testing::TestWithParam<Drag> {};

TEST_P(DragTest, MovesTheWindowByThePointersTravel) {
  Desktop desktop;
  Companion companion(&desktop);
  companion.WriteSettings("[Ferrowind Tobbelin]\r\nTop=6000\r\nLeft=12000\r\n");  // (800, 400)
  companion.Start();
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT start = desktop.Position(window);
  const platform::POINT travel = GetParam().travel;
  const platform::POINT grip{start.x + kLeftEye.x, start.y + kLeftEye.y};
  const auto reaches = [&](platform::POINT want) {
    platform::POINT seen;
    const bool there = WaitUntil([&] {
      seen = desktop.Position(window);
      return seen.x == want.x && seen.y == want.y;
    });
    EXPECT_TRUE(there) << "at " << seen.x << "," << seen.y << ", not " << want.x << "," << want.y;
  };
  // Halfway, with the button still down, the window already follows.
  desktop.MovePointer(grip.x, grip.y);
  desktop.Press(1);
  desktop.Glide(grip.x, grip.y, travel.x / 2, travel.y / 2, 10);
  reaches({start.x + travel.x / 2, start.y + travel.y / 2});
  desktop.Glide(grip.x + travel.x / 2, grip.y + travel.y / 2, travel.x - travel.x / 2,
                travel.y - travel.y / 2, 10);
  desktop.Release(1);
  const platform::POINT want{start.x + travel.x, start.y + travel.y};
  reaches(want);
  platform::POINT seen;
  // Let go: moving the pointer on moves the window no more.
  desktop.MovePointer(want.x + kLeftEye.x + 50, want.y + kLeftEye.y + 50);
  desktop.SyncWindowManager();
  seen = desktop.Position(window);
  EXPECT_EQ(seen.x, want.x);
  EXPECT_EQ(seen.y, want.y);
}

INSTANTIATE_TEST_SUITE_P(Ways, DragTest,
                         ::testing::Values(Drag{"right_and_down", {100, 60}},
                                           Drag{"left_and_up", {-150, -90}},
                                           // Far beyond the window's own size.
                                           Drag{"far_left", {-700, 0}}),
                         [](const auto& param) { return std::string(param.param.name); });

struct Session {
  const char* name;
  const char* before;  // nullptr: no settings file
  platform::POINT travel;
  const char* after;
  platform::POINT back;  // where the next start puts the window
};

void PrintTo(const Session& session, std::ostream* out) {
  *out << session.name;
}

class DoubleClickTest : public ::testing::TestWithParam<Session> {};

TEST_P(DoubleClickTest, StoresThePositionEndsAndTheNextStartComesBackThere) {
  const Session& s = GetParam();
  Desktop desktop;
  Companion companion(&desktop);
  if (s.before != nullptr) companion.WriteSettings(s.before);
  Child& first = companion.Start();
  WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  platform::POINT at = desktop.Position(window);
  if (s.travel.x != 0 || s.travel.y != 0) {
    desktop.Drag(at.x + kLeftEye.x, at.y + kLeftEye.y, s.travel.x, s.travel.y);
    const platform::POINT moved{at.x + s.travel.x, at.y + s.travel.y};
    ASSERT_TRUE(WaitUntil([&] {
      at = desktop.Position(window);
      return at.x == moved.x && at.y == moved.y;
    }));
  }
  desktop.MovePointer(at.x + kLeftEye.x, at.y + kLeftEye.y);
  desktop.DoubleClick();
  const auto code = first.WaitExit(3s);
  ASSERT_TRUE(code.has_value()) << "still running after a double-click";
  EXPECT_EQ(*code, 0);
  EXPECT_EQ(companion.Settings().value_or("(no file)"), s.after);

  companion.Start();
  window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT back = desktop.Position(window);
  EXPECT_EQ(back.x, s.back.x);
  EXPECT_EQ(back.y, s.back.y);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DoubleClickTest,
    ::testing::Values(
        // First start at (822, 0); 822 x 15 = 12330 twips.
        Session{"first_start",
                nullptr,
                {0, 0},
                "[Ferrowind Tobbelin]\r\nTop=0\r\nLeft=12330\r\n",
                {822, 0}},
        Session{"after_a_drag",
                nullptr,
                {100, 60},
                "[Ferrowind Tobbelin]\r\nTop=900\r\nLeft=13830\r\n",
                {922, 60}},
        // Other sections and lines stay exactly as they were.
        Session{"other_sections_survive",
                "; mine\r\n[Other]\r\nkey=value\r\n\r\n[Ferrowind Tobbelin]\r\nTop=1500\r\n"
                "Left=1500\r\n\r\n[Tail]\nx = 1\n",
                {30, 45},
                "; mine\r\n[Other]\r\nkey=value\r\n\r\n[Ferrowind Tobbelin]\r\nTop=2175\r\n"
                "Left=1950\r\n\r\n[Tail]\nx = 1\n",
                {130, 145}},
        Session{"partly_off_the_left_edge",
                "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=3000\r\n",
                {-210, 0},
                "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=-150\r\n",
                {-10, 100}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MovedFromOutsideTest, TheNewPlaceIsWhatTheEyesAndTheSettingsFileUse) {
  Desktop desktop;
  Companion companion(&desktop);
  companion.WriteSettings("[Ferrowind Tobbelin]\r\nTop=6000\r\nLeft=12000\r\n");  // (800, 400)
  Child& run = companion.Start();
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  desktop.MovePointer(0, 0);
  std::this_thread::sleep_for(200ms);  // a few ticks at the old place
  desktop.MoveWindow(window, 300, 200);
  ASSERT_TRUE(WaitUntil([&] {
    const platform::POINT at = desktop.Position(window);
    return at.x == 300 && at.y == 200;
  }));
  desktop.MovePointer(300 + kLeftEye.x, 200 + kLeftEye.y);
  desktop.DoubleClick();
  EXPECT_EQ(run.WaitExit(3s), 0);
  EXPECT_EQ(companion.Settings(), "[Ferrowind Tobbelin]\r\nTop=3000\r\nLeft=4500\r\n");
}

}  // namespace
}  // namespace tobbelin_x11
