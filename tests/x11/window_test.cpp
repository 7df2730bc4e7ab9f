// The window as the window manager and the user see it: cut exactly along
// the picture's outline (drawn and clickable), the picture on the screen,
// no frame, no taskbar entry, kept above other windows without taking the
// focus, repainted when uncovered, its class and icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/picture.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

constexpr platform::Colour kRed = platform::Rgb(255, 0, 0);

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // At (300, 200): room around it for other windows and the pointer.
    companion_.WriteSettings("[Ferrowind Tobbelin]\r\nTop=3000\r\nLeft=4500\r\n");
    companion_.Start();
    window_ = companion_.WaitForWindow();
    ASSERT_NE(window_, 0u);
    at_ = desktop_.Position(window_);
    ASSERT_EQ(at_.x, 300);
    ASSERT_EQ(at_.y, 200);
  }
  // A point of the head that is solid and away from the eyes: the nose.
  platform::POINT SolidPoint() const { return {at_.x + 138, at_.y + 120}; }

  Desktop desktop_;
  Companion companion_{&desktop_};
  WindowId window_ = 0;
  platform::POINT at_;
};

TEST_F(WindowTest, ShapeIsExactlyThePicturesNonKeyPixelsForDrawingAndClicks) {
  const platform::Image expected = ExpectedShape();
  for (const ShapeKind kind : {ShapeKind::Bounding, ShapeKind::Input}) {
    const platform::Image shape = desktop_.Shape(window_, kind);
    ASSERT_EQ(shape.width(), expected.width());
    ASSERT_EQ(shape.height(), expected.height());
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y) {
      for (int x = 0; x < expected.width(); ++x) wrong += shape.at(x, y) != expected.at(x, y);
    }
    EXPECT_EQ(wrong, 0) << "pixels on the wrong side of the outline, "
                        << (kind == ShapeKind::Bounding ? "bounding" : "input") << " shape";
  }
}

TEST_F(WindowTest, TheScreenShowsThePictureInsideTheOutlineAndTheDesktopOutside) {
  const platform::Image& picture = Picture();
  const platform::Image shape = ExpectedShape();
  const platform::Image shot = desktop_.Screenshot(at_.x, at_.y, picture.width(), picture.height());
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (UnderAnEye(x, y)) continue;  // painted over by the timer
      const platform::Colour want = shape.at(x, y) != 0 ? picture.at(x, y) : kDesktopColour;
      wrong += shot.at(x, y) != want;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(WindowTest, IsBorderlessOffTheTaskbarAndAskedAbove) {
  EXPECT_TRUE(desktop_.HasAtom(window_, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
  EXPECT_TRUE(desktop_.HasAtom(window_, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"));
  EXPECT_TRUE(desktop_.HasAtom(window_, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_PAGER"));
  EXPECT_EQ(desktop_.Longs(window_, "_NET_FRAME_EXTENTS"), (std::vector<long>{0, 0, 0, 0}));
  EXPECT_EQ(desktop_.ClassOf(window_), "tobbelin");
  // The shipped icon: 32 x 32, as width, height and the pixels.
  const auto icon = desktop_.Longs(window_, "_NET_WM_ICON");
  ASSERT_GE(icon.size(), 2u);
  EXPECT_EQ(icon[0], 32);
  EXPECT_EQ(icon[1], 32);
  EXPECT_EQ(icon.size(), 2u + 32 * 32);
}

TEST_F(WindowTest, StaysAboveANewerWindowAndNeverTakesTheFocus) {
  // A normal window opened later, over the head, gets the focus and would
  // be on top of an ordinary window.
  const WindowId other = desktop_.OpenWindow(at_.x + 50, at_.y + 50, 300, 300, kRed, false);
  ASSERT_TRUE(WaitUntil([&] { return desktop_.ActiveWindow() == other; }));
  const auto stacking = desktop_.Stacking();
  const auto head = std::find(stacking.begin(), stacking.end(), window_);
  const auto below = std::find(stacking.begin(), stacking.end(), other);
  ASSERT_NE(head, stacking.end());
  ASSERT_NE(below, stacking.end());
  EXPECT_GT(head, below) << "the head must be later (higher) in _NET_CLIENT_LIST_STACKING";
  const platform::POINT nose = SolidPoint();
  EXPECT_EQ(desktop_.PixelAt(nose.x, nose.y), Picture().at(138, 120));

  // Pressing on the head leaves the focus where it was.
  desktop_.MovePointer(nose.x, nose.y);
  desktop_.Click(1);
  desktop_.SyncWindowManager();
  EXPECT_EQ(desktop_.ActiveWindow(), other);
  EXPECT_EQ(desktop_.Position(window_).x, at_.x);  // a click is no drag
}

TEST_F(WindowTest, RepaintsWhatAnotherWindowUncovers) {
  const platform::POINT nose = SolidPoint();
  const platform::Colour picture = Picture().at(138, 120);
  ASSERT_EQ(desktop_.PixelAt(nose.x, nose.y), picture);
  // Only an unmanaged window can cover a window kept above the others.
  const WindowId cover = desktop_.OpenWindow(at_.x, at_.y, 277, 220, kRed, true);
  ASSERT_TRUE(WaitUntil([&] { return desktop_.PixelAt(nose.x, nose.y) == kRed; }));
  desktop_.Close(cover);
  EXPECT_TRUE(WaitUntil([&] { return desktop_.PixelAt(nose.x, nose.y) == picture; }));
}

}  // namespace
}  // namespace tobbelin_x11
