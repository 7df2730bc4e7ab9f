// At login the companion may start before the window manager is ready, and a
// window manager that is still starting drops map requests.
#include <gtest/gtest.h>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

TEST(LateWindowManagerTest, TheWindowAppearsEvenWhenTheFirstMapRequestIsDropped) {
  DesktopOptions options;
  options.openbox = false;
  Desktop desktop(options);
  desktop.RunStartingWindowManager(/*dropped=*/2);
  Companion companion(&desktop);
  companion.Start();
  WindowId window = 0;
  const bool appeared = WaitUntil(
      [&] {
        const auto windows = desktop.TopLevelsOfClass("tobbelin");
        if (windows.size() != 1 || !desktop.Viewable(windows[0])) return false;
        window = windows[0];
        return true;
      },
      5s);
  ASSERT_TRUE(appeared) << companion.Output();
  const platform::POINT at = desktop.Position(window);
  EXPECT_EQ(at.x, 822);  // and where it belongs: top edge, centred
  EXPECT_EQ(at.y, 0);
}

}  // namespace
}  // namespace tobbelin_x11
