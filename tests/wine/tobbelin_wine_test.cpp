// The Windows executable under Wine, on a private X display: where the window
// appears, its shape, staying on top, the focus, the eyes, moving it, the
// settings file and the single running copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "assets/assets.h"
#include "platform/image.h"
#include "tests/wine/desktop.h"
#include "tests/wine/wine_session.h"

namespace wine_test {
namespace {

using std::chrono::milliseconds;

// Wine names the X window after the executable; the Windows class is the
// program's own.
const char* const kWmClass = "tobbelin.exe";
const char* const kWindowClass = "tobbelin";
constexpr int kTwipsPerPixel = 15;
// Eye centres in the picture, and the colours the program paints them in.
constexpr int kEyeY = 68;
constexpr int kEyeX[] = {94, 180};
constexpr std::uint32_t kEyeballRgb = 0xFFC080;
constexpr std::uint32_t kPupilRgb = 0x000000;
constexpr std::uint32_t kOtherWindowRgb = 0x0000FF;

struct Run {
  Desktop desktop;
  WineSession wine;
  std::string probe;
  Run(const std::string& exe, std::string probeExe)
      : wine(exe, desktop.name()), probe(std::move(probeExe)) {}
};
Run* run = nullptr;

class WineEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    const char* exe = std::getenv("TOBBELIN_EXE");  // NOLINT(concurrency-mt-unsafe)
    if (exe == nullptr || !std::filesystem::exists(exe)) {
      GTEST_SKIP() << "no Windows executable at " << (exe ? exe : "(TOBBELIN_EXE unset)")
                   << ": build it with `cmake --preset windows && cmake --build --preset windows`";
    }
    const char* probe = std::getenv("TOBBELIN_PROBE");  // NOLINT(concurrency-mt-unsafe)
    if (probe == nullptr || !std::filesystem::exists(probe)) {
      GTEST_SKIP() << "no probe.exe: is x86_64-w64-mingw32-g++ installed?";
    }
    if (!OnPath("wine") || !OnPath("Xvfb") || !OnPath("openbox")) {
      GTEST_SKIP() << "wine, Xvfb or openbox is missing: run scripts/setup-debian.sh";
    }
    run = new Run(exe, probe);  // NOLINT(cppcoreguidelines-owning-memory): lives for the whole run
  }
  void TearDown() override {
    delete run;  // NOLINT(cppcoreguidelines-owning-memory)
    run = nullptr;
  }
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SettingsText(int top, int left) {
  return "[Ferrowind Tobbelin]\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) +
         "\r\n";
}

std::uint32_t ToRgb(platform::Colour c) {
  return (static_cast<std::uint32_t>(platform::Red(c)) << 16) |
         (static_cast<std::uint32_t>(platform::Green(c)) << 8) | platform::Blue(c);
}

// Which way an eye looks along the row through its centre: -1 left, +1 right,
// 0 anything else.
int Gaze(const Pixels& head, int eyeX) {
  const std::uint32_t left = head.at(eyeX - 6, kEyeY);
  const std::uint32_t right = head.at(eyeX + 6, kEyeY);
  if (left == kPupilRgb && right == kEyeballRgb) return -1;
  if (left == kEyeballRgb && right == kPupilRgb) return 1;
  return 0;
}

class WineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(run, nullptr);
    picture_ = *platform::DecodeBmp(assets::PictureBmp());
    key_ = picture_.at(0, 0);
  }

  void TearDown() override {
    // The screen as it stood when the test failed, the program still running.
    if (HasFailure()) {
      std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
      std::replace(name.begin(), name.end(), '/', '-');  // a parameterised test's name
      const auto shot = run->wine.root().parent_path() / ("tobbelin-wine-" + name + ".png");
      run->desktop.SaveScreen(shot.string());
      std::cerr << "screen at the failure: " << shot.string() << "\n";
    }
    desktop().ReleaseAll();  // a failed drag stops with the button down
    programs_.clear();
    for (const ::Window window : others_) desktop().ClosePlainWindow(window);
  }

  Desktop& desktop() { return run->desktop; }

  // Runs until the test has ended, unless it ends before.
  Process& Start(const std::filesystem::path& folder) {
    programs_.push_back(run->wine.Launch(folder));
    return *programs_.back();
  }

  // An ordinary window with the focus, closed when the test ends.
  ::Window OpenOtherWindow(Rect where) {
    others_.push_back(desktop().OpenPlainWindow(where, kOtherWindowRgb));
    return others_.back();
  }

  // The program's one window once it shows its picture, or nothing.
  std::optional<::Window> WaitForHead() {
    std::optional<::Window> head;
    WaitUntil(
        [&] {
          const auto windows = desktop().VisibleWindows(kWmClass);
          if (windows.size() != 1) return false;
          // The nose: part of the shape, never painted over.
          const Rect at = desktop().Geometry(windows[0]);
          const auto nose = desktop().Grab({at.x + kNose.x, at.y + kNose.y, 1, 1});
          if (nose.rgb.empty() || nose.rgb[0] != ToRgb(picture_.at(kNose.x, kNose.y))) {
            return false;
          }
          head = windows[0];
          return true;
        },
        milliseconds(20000));
    return head;
  }

  // Pixels of the window's rectangle that do not show what they should: the
  // picture inside the outline (the eyes aside), `under` outside it.
  std::vector<std::string> ShapeMismatches(const Rect& at, std::uint32_t under) {
    const Pixels shown = desktop().Grab(at);
    std::vector<std::string> wrong;
    for (int y = 0; y < picture_.height(); ++y) {
      for (int x = 0; x < picture_.width(); ++x) {
        const bool nearEye = std::abs(y - kEyeY) <= 10 &&
                             (std::abs(x - kEyeX[0]) <= 10 || std::abs(x - kEyeX[1]) <= 10);
        const platform::Colour source = picture_.at(x, y);
        if (source != key_ && nearEye) continue;
        const std::uint32_t expected = source == key_ ? under : ToRgb(source);
        if (shown.at(x, y) != expected && wrong.size() < 5) {
          std::ostringstream text;
          text << "(" << x << ", " << y << ") shows " << std::hex << shown.at(x, y) << " not "
               << expected;
          wrong.push_back(text.str());
        }
      }
    }
    return wrong;
  }

  bool EyesLook(const Rect& at, int direction) {
    return WaitUntil(
        [&] {
          const Pixels head = desktop().Grab(at);
          return Gaze(head, kEyeX[0]) == direction && Gaze(head, kEyeX[1]) == direction;
        },
        milliseconds(3000));
  }

  // True when the focus stays with `window` for half a second: a window
  // that takes the focus does so within a few milliseconds.
  bool FocusStaysWith(::Window window) {
    return !WaitUntil([&] { return desktop().Focus() != window; }, milliseconds(500));
  }

  // What Windows says about the program's window: "topmost" -> 1, ...
  std::map<std::string, int> WindowFacts() {
    const auto output = run->wine.root() / "facts.txt";
    std::filesystem::remove(output);
    EXPECT_EQ(run->wine.RunTool({run->probe, "facts", kWindowClass}, output), 0);
    std::map<std::string, int> facts;
    std::istringstream text(ReadFile(output));
    std::string fact;
    while (text >> fact) {
      const auto eq = fact.find('=');
      if (eq != std::string::npos) facts[fact.substr(0, eq)] = std::stoi(fact.substr(eq + 1));
    }
    return facts;
  }

  // Double-clicks the nose and waits for the program to end.
  std::optional<int> DoubleClickToEnd(const Rect& at, Process& program) {
    desktop().MovePointer(at.x + kNose.x, at.y + kNose.y);
    desktop().DoubleClick(1);
    return program.Wait(milliseconds(10000));
  }

  struct Point {
    int x;
    int y;
  };
  static constexpr Point kNose{138, 125};
  // Right of both eyes, on the fur: a press here makes both look right.
  static constexpr Point kRightCheek{230, kEyeY};

  platform::Image picture_;
  platform::Colour key_ = 0;
  std::vector<std::unique_ptr<Process>> programs_;
  std::vector<::Window> others_;
};

TEST_F(WineTest, FirstStartTopCentredShapedAboveOthersWithoutTakingFocus) {
  // An ordinary window with the focus, where the head will appear.
  const ::Window other = OpenOtherWindow({700, 0, 520, 300});
  const auto folder = run->wine.NewFolder("first");
  Process& program = Start(folder);
  const auto head = WaitForHead();
  ASSERT_TRUE(head) << "no window of class " << kWmClass;
  const Rect at = desktop().Geometry(*head);

  EXPECT_EQ(at.y, 0);
  EXPECT_LE(std::abs(2 * at.x + at.width - Desktop::kWidth), 2) << "left edge " << at.x;
  EXPECT_EQ(at.width, picture_.width());
  EXPECT_EQ(at.height, picture_.height());

  // Raised after the head appeared, the other window still shows only
  // through the cut-away parts.
  desktop().Raise(other);
  std::vector<std::string> wrong;
  WaitUntil([&] { return (wrong = ShapeMismatches(at, kOtherWindowRgb)).empty(); },
            milliseconds(2000));
  EXPECT_TRUE(wrong.empty()) << testing::PrintToString(wrong);

  // Neither appearing nor a press on it takes the focus.
  EXPECT_TRUE(FocusStaysWith(other)) << "taken by appearing";
  // Wine gives a popup to the window manager when it is shown activated, and
  // leaves it override-redirect when it is shown without activation.
  EXPECT_TRUE(desktop().Unmanaged(*head)) << "shown activated";
  const std::map<std::string, int> expected{{"topmost", 1}, {"toolwindow", 1},  // no taskbar button
                                            {"popup", 1},   {"caption", 0},    {"frame", 0},
                                            {"dblclks", 1}, {"foreground", 0}};
  EXPECT_EQ(WindowFacts(), expected);
  desktop().MovePointer(at.x + kNose.x, at.y + kNose.y);
  desktop().Click(3);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(FocusStaysWith(other)) << "taken by a press";
  EXPECT_EQ(WindowFacts()["foreground"], 0) << "activated by a press";

  // The eyes follow the pointer.
  desktop().MovePointer(10, at.y + kEyeY);
  EXPECT_TRUE(EyesLook(at, -1)) << "pointer left of the head";
  desktop().MovePointer(Desktop::kWidth - 10, at.y + kEyeY);
  EXPECT_TRUE(EyesLook(at, 1)) << "pointer right of the head";

  EXPECT_FALSE(std::filesystem::exists(folder / "tobbelin.ini"));
}

// The second press of a double-click comes as a client double-click, or, when
// the first press has started a move, as a double-click on a caption. Wine
// sends only the first kind; the probe sends the second.
enum class SecondPress { OnTheWindow, OnACaption };

class DoubleClickTest : public WineTest, public testing::WithParamInterface<SecondPress> {};

TEST_P(DoubleClickTest, StoresThePositionAndEnds) {
  const auto folder = run->wine.NewFolder(GetParam() == SecondPress::OnTheWindow ? "dbl" : "nc");
  Process& program = Start(folder);
  const auto head = WaitForHead();
  ASSERT_TRUE(head);
  const Rect at = desktop().Geometry(*head);

  if (GetParam() == SecondPress::OnTheWindow) {
    EXPECT_EQ(DoubleClickToEnd(at, program), 0);
  } else {
    EXPECT_EQ(run->wine.RunTool({run->probe, "ncdblclk", kWindowClass}, folder / "probe.log"), 0);
    EXPECT_EQ(program.Wait(milliseconds(10000)), 0);
  }
  EXPECT_TRUE(desktop().VisibleWindows(kWmClass).empty());
  EXPECT_EQ(ReadFile(folder / "tobbelin.ini"),
            SettingsText(at.y * kTwipsPerPixel, at.x * kTwipsPerPixel));
}

INSTANTIATE_TEST_SUITE_P(Both, DoubleClickTest,
                         testing::Values(SecondPress::OnTheWindow, SecondPress::OnACaption),
                         [](const testing::TestParamInfo<SecondPress>& param) {
                           return param.param == SecondPress::OnTheWindow ? "OnTheWindow"
                                                                          : "OnACaption";
                         });

TEST_F(WineTest, DraggedHeadComesBackWhereItWasLeft) {
  ASSERT_NE(picture_.at(kRightCheek.x, kRightCheek.y), key_) << "the grab point is off the head";
  const auto folder = run->wine.NewFolder("drag");
  Process* program = &Start(folder);
  const auto head = WaitForHead();
  ASSERT_TRUE(head);
  const Rect start = desktop().Geometry(*head);

  // The eyes turn to the press while the system moves the window: the timer
  // keeps ticking inside the move.
  desktop().MovePointer(10, start.y + kEyeY);
  ASSERT_TRUE(EyesLook(start, -1));
  desktop().MovePointer(start.x + kRightCheek.x, start.y + kRightCheek.y);
  desktop().Press(1);
  EXPECT_TRUE(EyesLook(start, 1)) << "no tick while the button is held";

  // The window follows the pointer step by step; each step waits for it.
  // Under load Wine now and then drops one synthetic motion event in its move
  // loop (seen about once in twenty runs); a real mouse sends a stream of
  // them, so a step that is not followed gets its pointer move sent once more.
  constexpr int kDx = -300;
  constexpr int kDy = 200;
  constexpr int kSteps = 20;
  int resent = 0;
  for (int step = 1; step <= kSteps; ++step) {
    const int x = start.x + kDx * step / kSteps;
    const int y = start.y + kDy * step / kSteps;
    Rect now;
    const auto followed = [&] {
      now = desktop().Geometry(*head);
      return now.x == x && now.y == y;
    };
    desktop().MovePointer(x + kRightCheek.x, y + kRightCheek.y);
    if (!WaitUntil(followed, milliseconds(1500))) {
      ++resent;
      desktop().MovePointer(x + kRightCheek.x + 1, y + kRightCheek.y);
      desktop().MovePointer(x + kRightCheek.x, y + kRightCheek.y);
      ASSERT_TRUE(WaitUntil(followed, milliseconds(3000)))
          << "step " << step << ": at (" << now.x << ", " << now.y << "), not (" << x << ", " << y
          << "), also after sending the pointer move again";
    }
  }
  if (resent > 0) std::cerr << "pointer moves sent again: " << resent << " of " << kSteps << "\n";
  desktop().Release(1);
  const Rect moved{start.x + kDx, start.y + kDy, start.width, start.height};

  EXPECT_EQ(DoubleClickToEnd(moved, *program), 0);
  const std::string stored = SettingsText(moved.y * kTwipsPerPixel, moved.x * kTwipsPerPixel);
  EXPECT_EQ(ReadFile(folder / "tobbelin.ini"), stored);

  program = &Start(folder);
  const auto again = WaitForHead();
  ASSERT_TRUE(again);
  const Rect back = desktop().Geometry(*again);
  EXPECT_EQ(back.x, moved.x);
  EXPECT_EQ(back.y, moved.y);
  EXPECT_EQ(DoubleClickToEnd(back, *program), 0);
  EXPECT_EQ(ReadFile(folder / "tobbelin.ini"), stored);
}

TEST_F(WineTest, SecondStartEndsAtOnceAndLeavesTheFirstRunning) {
  const auto firstFolder = run->wine.NewFolder("running");
  Process& first = Start(firstFolder);
  ASSERT_TRUE(WaitForHead());

  // Also from another folder: one copy per login session, wherever it lives.
  for (const char* name : {"running", "elsewhere"}) {
    SCOPED_TRACE(name);
    const auto folder = run->wine.NewFolder(name);
    Process& second = Start(folder);
    EXPECT_EQ(second.Wait(milliseconds(10000)), 0);
    EXPECT_EQ(desktop().VisibleWindows(kWmClass).size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(folder / "tobbelin.ini"));
  }
  EXPECT_TRUE(first.Running());
}

}  // namespace
}  // namespace wine_test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new wine_test::WineEnvironment);
  return RUN_ALL_TESTS();
}
