// The shape scan on small fixture pictures, and what it asks of the system.
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/win_api.h"
#include "shaping/c_trimmer.h"
#include "shaping/runs.h"
#include "tests/headless/fixture.h"
#include "tests/support/bmp_writer.h"
#include "watcher/f_wendrel.h"

namespace tobbelin_test {
namespace {

using platform::Colour;
using platform::headless::Fault;

constexpr Colour K = 0;         // key colour
constexpr Colour D = 0x303030;  // the subject

// A window whose picture is given as rows of characters: '.' key, '#' subject.
class FixtureForm : public platform::Form {
 public:
  explicit FixtureForm(const std::vector<std::uint8_t>& bmp, std::int16_t scaleMode = 3,
                       float clientWidth = 0, float clientHeight = 0)
      : platform::Form(Config(bmp, scaleMode, clientWidth, clientHeight)) {}

  static platform::FormConfig Config(const std::vector<std::uint8_t>& bmp, std::int16_t scaleMode,
                                     float w, float h) {
    platform::FormConfig config;
    config.picture = bmp;
    config.scaleMode = scaleMode;
    const auto picture = platform::DecodeBmp(bmp);
    config.clientWidth = w > 0 ? w : (picture ? picture->width() * 15.0F : 15.0F);
    config.clientHeight = h > 0 ? h : (picture ? picture->height() * 15.0F : 15.0F);
    return config;
  }
};

platform::Image Picture(const std::vector<std::string>& rows, Colour key = K, Colour on = D) {
  platform::Image image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.set(x, y,
                rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? on : key);
    }
  }
  return image;
}

class TrimmerTest : public HeadlessTest {
 protected:
  // Shapes a window with that picture; returns the rectangles of the region
  // given to SetWindowRgn, one string per run "left,top,right,bottom".
  std::vector<std::string> Trim(FixtureForm& form) {
    form.hWnd();  // load it before the calls are watched
    system_.ClearCalls();
    shaping::cTrimmer trimmer;
    trimmer.TrimForm(form);
    std::vector<std::string> runs;
    for (const auto& call : system_.CallsNamed("CreateRectRgn")) {
      runs.push_back(call.args[0] + "," + call.args[1] + "," + call.args[2] + "," + call.args[3]);
    }
    return runs;
  }
  const std::vector<std::uint8_t>& Bmp(const std::vector<std::string>& rows) {
    bmp_ = testing_support::EncodeBmp(Picture(rows));
    return bmp_;
  }
  std::vector<std::uint8_t> bmp_;
};

TEST_F(TrimmerTest, RunsOfEachRowFromLeftToRight) {
  const struct {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::string> runs;  // after the empty start region "0,0,0,0"
  } cases[] = {
      {"runs stop before a key pixel and at the row's end",
       {"..##.#", ".####."},
       {"2,0,4,1", "5,0,6,1", "1,1,5,2"}},
      {"a single pixel between key pixels", {".#.", "..."}, {"1,0,2,1"}},
      {"a row without key pixels", {"....", "####"}, {"0,1,4,2"}},
      {"the top-left pixel is the key, whatever its colour",
       {"#..", "#.#"},
       {"1,0,3,1", "1,1,2,2"}},
      {"all key", {"...", "..."}, {}},
  };
  for (const auto& c : cases) {
    FixtureForm form(Bmp(c.rows));
    std::vector<std::string> expected{"0,0,0,0"};
    expected.insert(expected.end(), c.runs.begin(), c.runs.end());
    EXPECT_EQ(Trim(form), expected) << c.name;
  }
}

TEST_F(TrimmerTest, TheShapeIsExactlyTheNonKeyPixels) {
  platform::Image image =
      Picture({"....#....", "..#####..", ".###.###.", "..#...#..", "........."});
  image.set(4, 3, 0x000001);  // one bit away from the key: part of the shape
  const auto bmp = testing_support::EncodeBmp(image);
  FixtureForm form(bmp);
  Trim(form);
  const auto& shape = system_.Window(form.hWnd()).shape;
  ASSERT_TRUE(shape.has_value());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      EXPECT_EQ(shape->Contains(x, y), image.at(x, y) != 0) << x << "," << y;
    }
  }
}

TEST_F(TrimmerTest, EachRunIsOneRegionUnionAndRelease) {
  FixtureForm form(Bmp({".#.#"}));
  Trim(form);
  std::vector<std::string> names;
  for (const auto& call : system_.Calls()) {
    if (call.name != "Circle" && call.name != "FillColor") names.push_back(call.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"CreateRectRgn", "CreateRectRgn", "CombineRgn",
                                             "DeleteObject", "CreateRectRgn", "CombineRgn",
                                             "DeleteObject", "SetWindowRgn"}));
  const auto combine = system_.CallsNamed("CombineRgn")[0];
  EXPECT_EQ(combine.args[0], combine.args[1]);  // ShapeRgn := ShapeRgn OR RunRgn
  EXPECT_EQ(combine.args[3], "2");
  EXPECT_EQ(system_.CallsNamed("SetWindowRgn")[0].args[2], "1");  // redrawn at once
  EXPECT_EQ(system_.LiveRegions(), 0u);  // runs released, the shape given away
}

TEST_F(TrimmerTest, AllKeyGivesTheEmptyShape) {
  FixtureForm form(Bmp({"...", "..."}));
  Trim(form);
  const auto& shape = system_.Window(form.hWnd()).shape;
  ASSERT_TRUE(shape.has_value());
  EXPECT_TRUE(shape->Empty());
}

TEST_F(TrimmerTest, ScaleModeAndPersistentDrawingComeBack) {
  FixtureForm form(Bmp({".#", "##"}), /*scaleMode=*/1);
  form.SetAutoRedraw(false);
  Trim(form);
  EXPECT_EQ(form.ScaleMode(), 1);
  EXPECT_FALSE(form.AutoRedraw());
  form.SetAutoRedraw(true);
  Trim(form);
  EXPECT_TRUE(form.AutoRedraw());
}

TEST_F(TrimmerTest, NoPictureNoRegion) {
  FixtureForm form(std::vector<std::uint8_t>{}, 1, 60, 45);
  form.SetAutoRedraw(false);
  EXPECT_TRUE(Trim(form).empty());
  EXPECT_TRUE(system_.Calls().empty());
  EXPECT_FALSE(system_.Window(form.hWnd()).shape.has_value());
  EXPECT_EQ(form.ScaleMode(), 1);
  EXPECT_FALSE(form.AutoRedraw());
}

TEST_F(TrimmerTest, AreaBeyondThePictureIsBackgroundAndSoShape) {
  // Client area 3 x 2 pixels, picture 2 x 1: the rest shows the white background.
  FixtureForm form(Bmp({".#"}), 3, 45, 30);
  EXPECT_EQ(Trim(form), (std::vector<std::string>{"0,0,0,0", "1,0,3,1", "0,1,3,2"}));
}

TEST_F(TrimmerTest, AFailureEndsTheScanUnappliedAndPassesOn) {
  FixtureForm form(Bmp({".#.#", "####"}), 1);
  form.hWnd();
  system_.InjectFault("CombineRgn", Fault::Unreachable);
  shaping::cTrimmer trimmer;
  EXPECT_THROW(trimmer.TrimForm(form), platform::Failure);
  EXPECT_EQ(system_.IndexOf("SetWindowRgn"), -1);
  EXPECT_FALSE(system_.Window(form.hWnd()).shape.has_value());
  // Nothing is undone: left in pixel scale with persistent drawing on.
  EXPECT_EQ(form.ScaleMode(), 3);
  EXPECT_TRUE(form.AutoRedraw());
}

TEST_F(TrimmerTest, TheWatcherWindowTakesTheShippedPicturesOutline) {
  auto& window = runtime_.Instance<watcher::fWendrel>();
  window.hWnd();  // loading shapes it
  const auto picture = platform::DecodeBmp(assets::PictureBmp());
  ASSERT_TRUE(picture);
  const auto& shape = system_.Window(window.hWnd()).shape;
  ASSERT_TRUE(shape.has_value());
  std::size_t runs = 0;
  for (int y = 0; y < picture->height(); ++y) {
    std::vector<Colour> row;
    for (int x = 0; x < picture->width(); ++x) {
      row.push_back(picture->at(x, y));
      EXPECT_EQ(shape->Contains(x, y), picture->at(x, y) != picture->at(0, 0)) << x << "," << y;
    }
    runs += shaping::RowRuns(row, picture->at(0, 0)).size();
  }
  EXPECT_EQ(system_.CallsNamed("CombineRgn").size(), runs);
  EXPECT_EQ(system_.LiveRegions(), 0u);
}

}  // namespace
}  // namespace tobbelin_test
