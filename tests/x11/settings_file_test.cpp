// Settings files as people and accidents leave them: the program starts,
// places the head as the file says, a double-click still ends it, and nothing
// in the file but Top and Left changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <thread>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

constexpr platform::POINT kLeftEye{94, 68};
constexpr platform::POINT kCentred{822, 0};    // no usable position: top edge, centred
constexpr platform::POINT kDesigned{94, 152};  // where the window was designed to stand

void DoubleClickAt(Desktop& desktop, platform::POINT at) {
  desktop.MovePointer(at.x, at.y);
  desktop.DoubleClick();
}

// Starts the program on `desktop`, checks where its window stands, then
// double-clicks it and checks that it ended.
void StartPlaceAndEnd(Desktop& desktop, Companion& companion, platform::POINT expected) {
  Child& run = companion.Start();
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT at = desktop.Position(window);
  EXPECT_EQ(at.x, expected.x);
  EXPECT_EQ(at.y, expected.y);
  DoubleClickAt(desktop, {at.x + kLeftEye.x, at.y + kLeftEye.y});
  EXPECT_EQ(run.WaitExit(3s), 0) << companion.Output();
}

struct BadFile {
  const char* name;
  std::string before;
  platform::POINT position;
  std::string after;  // the file once the double-click has stored the position
};

void PrintTo(const BadFile& file, std::ostream* out) {
  *out << file.name;
}

const std::string kLong = "450;" + std::string(2996, 'z');

class BadSettingsTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadSettingsTest, StartsWhereTheFileSaysAndKeepsEverythingElse) {
  Desktop desktop;
  Companion companion(&desktop);
  companion.WriteSettings(GetParam().before);
  StartPlaceAndEnd(desktop, companion, GetParam().position);
  EXPECT_EQ(companion.Settings(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsTest,
    ::testing::Values(
        BadFile{"value_of_3000_characters",
                "[Ferrowind Tobbelin]\r\nTop=" + kLong + "\r\nLeft=1500\r\n",
                {100, 30},
                "[Ferrowind Tobbelin]\r\nTop=450\r\nLeft=1500\r\n"},
        BadFile{"nul_bytes_and_binary_junk",
                std::string("\0\xff\xfe junk\x01\n[Ferrowind Tobbelin]\r\nTop=601\r\n"
                            "Left=901\0tail\r\n\xc3\x28\r\n",
                            59),
                {60, 40},
                std::string("\0\xff\xfe junk\x01\n[Ferrowind Tobbelin]\r\nTop=600\r\n"
                            "Left=900\r\n\xc3\x28\r\n",
                            54)},
        BadFile{"cr_only_line_ends",
                "[Ferrowind Tobbelin]\rTop=601\rLeft=901\r[X]\rk=v\r",
                {60, 40},
                "[Ferrowind Tobbelin]\rTop=600\rLeft=900\r[X]\rk=v\r"},
        BadFile{"lf_only_line_ends",
                "[X]\nk=v\n[Ferrowind Tobbelin]\nLeft=901\nTop=601",
                {60, 40},
                "[X]\nk=v\n[Ferrowind Tobbelin]\nLeft=900\nTop=600"},
        BadFile{"utf8_byte_order_mark",
                "\xEF\xBB\xBF[Ferrowind Tobbelin]\r\nTop=601\r\nLeft=901\r\n",
                {60, 40},
                "\xEF\xBB\xBF[Ferrowind Tobbelin]\r\nTop=600\r\nLeft=900\r\n"},
        BadFile{
            "section_and_key_twice",
            "[Ferrowind Tobbelin]\r\nTop=601\r\nTop=3000\r\n[ferrowind tobbelin]\r\nLeft=5000\r\n",
            {0, 40},
            "[Ferrowind Tobbelin]\r\nTop=600\r\nTop=3000\r\nLeft=0\r\n[ferrowind tobbelin]\r\n"
            "Left=5000\r\n"},
        BadFile{"beyond_a_float", "[Ferrowind Tobbelin]\r\nTop=1e999\r\nLeft=-1e39\r\n", kDesigned,
                "[Ferrowind Tobbelin]\r\nTop=2280\r\nLeft=1410\r\n"},
        BadFile{"not_numbers",
                "[Ferrowind Tobbelin]\r\nTop=nan\r\nLeft=  12abc\r\n",
                {1, 0},
                "[Ferrowind Tobbelin]\r\nTop=0\r\nLeft=15\r\n"},
        BadFile{"decimal_comma",
                "[Ferrowind Tobbelin]\r\nTop=1234,5\r\nLeft=1234.5\r\n",
                {82, 82},
                "[Ferrowind Tobbelin]\r\nTop=1230\r\nLeft=1230\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(UnwritableSettings, AFolderInPlaceOfTheFile) {
  Desktop desktop;
  Companion companion(&desktop);
  std::filesystem::create_directory(companion.SettingsPath());
  StartPlaceAndEnd(desktop, companion, kCentred);
  EXPECT_TRUE(std::filesystem::is_directory(companion.SettingsPath()));
}

TEST(UnwritableSettings, AReadOnlyFileIsReadAndLeftAlone) {
  Desktop desktop;
  Companion companion(&desktop);
  const std::string text = "[Ferrowind Tobbelin]\r\nTop=601\r\nLeft=901\r\n";
  companion.WriteSettings(text);
  ::chmod(companion.SettingsPath().c_str(), 0444);
  StartPlaceAndEnd(desktop, companion, {60, 40});
  EXPECT_EQ(companion.Settings(), text);
}

TEST(UnwritableSettings, AReadOnlyFolderGetsNoFile) {
  Desktop desktop;
  Companion companion(&desktop);
  ::chmod(companion.AppFolder().c_str(), 0555);
  StartPlaceAndEnd(desktop, companion, kCentred);
  EXPECT_FALSE(companion.Settings().has_value());
  ::chmod(companion.AppFolder().c_str(), 0755);
}

TEST(UnwritableSettings, AWriteThatCannotCompleteLeavesTheOldFileWhole) {
  Desktop desktop;
  Companion companion(&desktop);
  // Other sections make the file larger than the process may write.
  const std::string text = "[Ferrowind Tobbelin]\r\nTop=601\r\nLeft=901\r\n[Notes]\r\n" +
                           std::string(300, 'n') + "=1\r\n";
  companion.WriteSettings(text);
  Child& run = companion.Start({"/usr/bin/prlimit", "--fsize=200"});
  const WindowId window = companion.WaitForWindow();
  ASSERT_NE(window, 0u);
  const platform::POINT at = desktop.Position(window);
  DoubleClickAt(desktop, {at.x + kLeftEye.x, at.y + kLeftEye.y});
  EXPECT_TRUE(run.WaitExit(3s).has_value()) << companion.Output();
  EXPECT_EQ(companion.Settings(), text);
  int files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(companion.AppFolder())) {
    ++files;
  }
  EXPECT_EQ(files, 2);  // the executable and the settings file: no leftovers
}

}  // namespace
}  // namespace tobbelin_x11
