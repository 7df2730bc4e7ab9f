// One copy at a time: a second start ends at once without a window and
// without reading the settings file; many starts at once leave one; a copy
// that dies lets the next one run.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <csignal>
#include <list>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

TEST(InstanceTest, ASecondStartEndsAtOnceWithoutWindowOrSettings) {
  Desktop desktop;
  Companion companion(&desktop);
  companion.WriteSettings("[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=1500\r\n");
  Child& first = companion.Start();
  ASSERT_NE(companion.WaitForWindow(), 0u);

  // Any opening of the settings file from here on shows up here.
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, companion.SettingsPath().c_str(), IN_OPEN | IN_ACCESS), 0);
  desktop.WatchNewWindows();

  Child& second = companion.Start();
  const auto code = second.WaitExit(3s);
  ASSERT_TRUE(code.has_value()) << "the second copy is still running";
  EXPECT_EQ(*code, 0);
  EXPECT_EQ(desktop.NewWindows(), 0);
  char events[4096];
  EXPECT_LT(::read(watch, events, sizeof events), 0) << "the settings file was opened";
  ::close(watch);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(desktop.ClientsOfClass("tobbelin").size(), 1u);
}

TEST(InstanceTest, TwentyStartsAtOnceLeaveOneWindow) {
  Desktop desktop;
  Companion companion(&desktop);
  std::list<Child*> runs;
  for (int i = 0; i < 20; ++i) runs.push_back(&companion.Start());
  const auto running = [&] {
    int n = 0;
    for (Child* run : runs) n += run->Running() ? 1 : 0;
    return n;
  };
  ASSERT_TRUE(WaitUntil([&] { return running() == 1; }, 10s)) << running() << " still run";
  for (Child* run : runs) {
    if (!run->Running()) {
      EXPECT_EQ(run->ExitCode(), 0);
    }
  }
  ASSERT_NE(companion.WaitForWindow(), 0u);
  EXPECT_EQ(desktop.ClientsOfClass("tobbelin").size(), 1u);
}

TEST(InstanceTest, ACopyThatDiesLetsTheNextOneRun) {
  Desktop desktop;
  Companion companion(&desktop);
  Child& first = companion.Start();
  ASSERT_NE(companion.WaitForWindow(), 0u);
  first.Signal(SIGKILL);
  ASSERT_TRUE(first.WaitExit(3s).has_value());
  ASSERT_TRUE(WaitUntil([&] { return desktop.ClientsOfClass("tobbelin").empty(); }));

  Child& next = companion.Start();
  EXPECT_NE(companion.WaitForWindow(), 0u);
  EXPECT_TRUE(next.Running());
}

}  // namespace
}  // namespace tobbelin_x11
