// The start: one copy only, the settings file found and read, the window
// loaded (shaped, then on top), placed and shown.
#include <string>

#include "app/app_modul.h"
#include "tests/headless/fixture.h"
#include "watcher/f_wendrel.h"

namespace tobbelin_test {
namespace {

using platform::headless::Call;

class StartupTest : public HeadlessTest {
 protected:
  watcher::fWendrel& Window() { return runtime_.Instance<watcher::fWendrel>(); }
  platform::POINT WindowPixels() { return system_.Window(Window().hWnd()).position; }
};

TEST_F(StartupTest, SecondCopyEndsBeforeReadingSettingsOrShowingAWindow) {
  WriteIniText("[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=300\r\n");
  system_.SetPreviousInstance(true);
  EXPECT_EQ(runtime_.Run(app::AppModul::Main), 0);
  EXPECT_TRUE(runtime_.Ended());
  EXPECT_TRUE(system_.Windows().empty());
  EXPECT_EQ(system_.IndexOf("GetPrivateProfileStringA"), -1);
  EXPECT_EQ(system_.IndexOf("AppFolder"), -1);
  ASSERT_FALSE(system_.Calls().empty());
  EXPECT_EQ(system_.Calls().back().name, "Quit");
}

TEST_F(StartupTest, FirstStartGoesToTheTopEdgeCentred) {
  runtime_.Start(app::AppModul::Main);
  // 28800 / 2 - 4155 / 2 = 14400 - 2077 twips; 12323 / 15 = 821.53 pixels.
  const auto moves = system_.CallsNamed("MoveWindow");
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].args[2], "0");
  EXPECT_EQ(moves[1].args[1], "822");
  EXPECT_EQ(WindowPixels().x, 822);
  EXPECT_EQ(WindowPixels().y, 0);
  EXPECT_TRUE(system_.Window(Window().hWnd()).visible);
  EXPECT_FALSE(runtime_.Ended());
}

TEST_F(StartupTest, CentresOnTheScreenItFinds) {
  platform::headless::HeadlessSystem narrow(1366, 768);
  narrow.SetAppFolder(folder_.string());
  platform::Runtime runtime(narrow);
  runtime.Start(app::AppModul::Main);
  // 1366 x 15 = 20490 twips: 10245 - 2077 = 8168 twips = 544.53 pixels.
  auto& window = runtime.Instance<watcher::fWendrel>();
  EXPECT_EQ(narrow.Window(window.hWnd()).position.x, 545);
}

TEST_F(StartupTest, TheWindowIsShapedThenMadeTopmostBeforeItMovesAndShows) {
  runtime_.Start(app::AppModul::Main);
  const int created = system_.IndexOf("CreateWindow");
  const int shaped = system_.IndexOf("SetWindowRgn");
  const int topmost = system_.IndexOf("SetWindowPos");
  const int moved = system_.IndexOf("MoveWindow");
  const int shown = system_.IndexOf("ShowWindow");
  ASSERT_GE(created, 0);
  EXPECT_LT(created, shaped);
  EXPECT_LT(shaped, topmost);
  EXPECT_LT(topmost, moved);  // Load runs before the first change takes effect
  EXPECT_LT(moved, shown);
  const Call& pos = system_.Calls()[static_cast<std::size_t>(topmost)];
  EXPECT_EQ(pos.Text(),
            "SetWindowPos(" + std::to_string(Window().hWnd()) + ", -1, 0, 0, 0, 0, 19)");
  const auto& state = system_.Window(Window().hWnd());
  EXPECT_TRUE(state.topmost);
  EXPECT_FALSE(state.activated);
}

TEST_F(StartupTest, ReadsTheSettingsFileBesideTheExecutableInUpperCase) {
  runtime_.Start(app::AppModul::Main);
  const auto reads = system_.CallsNamed("GetPrivateProfileStringA");
  ASSERT_EQ(reads.size(), 2u);
  const std::string file = "\"" + (folder_ / "tobbelin.ini").string() + "\"";
  EXPECT_EQ(
      reads[0].Text(),
      "GetPrivateProfileStringA(\"FERROWIND TOBBELIN\", \"TOP\", \"\", &, 2048, " + file + ")");
  EXPECT_EQ(reads[1].args[1], "\"LEFT\"");
  EXPECT_EQ(app::Commands::IniFile, (folder_ / "tobbelin.ini").string());
}

struct Saved {
  const char* name;
  const char* file;
  int x;  // pixels
  int y;
};

void PrintTo(const Saved& saved, std::ostream* out) {
  *out << saved.name;
}

class SavedPositionTest : public StartupTest, public ::testing::WithParamInterface<Saved> {};

TEST_P(SavedPositionTest, PutsTheWindowBack) {
  WriteIniText(GetParam().file);
  runtime_.Start(app::AppModul::Main);
  EXPECT_EQ(WindowPixels().x, GetParam().x);
  EXPECT_EQ(WindowPixels().y, GetParam().y);
  EXPECT_TRUE(system_.Window(Window().hWnd()).visible);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SavedPositionTest,
    ::testing::Values(
        Saved{"both", "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=-150\r\n", -10, 100},
        Saved{"top_only", "[Ferrowind Tobbelin]\r\nTop=1500\r\n", 0, 100},
        Saved{"left_empty", "[Ferrowind Tobbelin]\r\nTop=1500\r\nLeft=\r\n", 0, 100},
        Saved{"left_only", "[Ferrowind Tobbelin]\r\nLeft=3000\r\n", 200, 0},
        Saved{"lower_case_names", "[ferrowind tobbelin]\ntop=300\nLEFT=450\n", 30, 20},
        Saved{"decimal_comma", "[Ferrowind Tobbelin]\r\nTop=1234,5\r\nLeft=0\r\n", 0, 82},
        Saved{"decimal_point", "[Ferrowind Tobbelin]\r\nTop=1237.5\r\nLeft=15\r\n", 1, 82},
        Saved{"letters", "[Ferrowind Tobbelin]\r\nTop=abc\r\nLeft=150\r\n", 10, 0},
        Saved{"blanks_and_junk", "[Ferrowind Tobbelin]\r\nTop=  3 0abc\r\nLeft=60\r\n", 4, 2},
        Saved{"off_screen_unbounded", "[Ferrowind Tobbelin]\r\nTop=-3000\r\nLeft=99990\r\n", 6666,
              -200},
        // Beyond a 32-bit float: that edge keeps the window's design position.
        Saved{"top_overflows", "[Ferrowind Tobbelin]\r\nTop=1e999\r\nLeft=150\r\n", 10, 152},
        Saved{"left_overflows", "[Ferrowind Tobbelin]\r\nTop=150\r\nLeft=-1e39\r\n", 94, 10},
        Saved{"other_section_only", "[Other]\r\nTop=1500\r\nLeft=1500\r\n", 822, 0}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tobbelin_test
