// The settings file and its path, through the profile and path calls.
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/commands.h"
#include "tests/headless/fixture.h"

namespace tobbelin_test {
namespace {

namespace C = app::Commands;
using platform::headless::Fault;

class SettingsTest : public HeadlessTest {
 protected:
  std::string Ini() const { return IniPath().string(); }
  std::string Read(const std::string& section, const std::string& key) {
    return C::ReadIni(section, key, Ini(), "<default>");
  }
};

TEST_F(SettingsTest, FindsTheFileBesideTheExecutableWithoutManglingThePath) {
  // A folder whose name would change under proper case.
  const auto folder = folder_ / "My Apps" / "dog-watch_2";
  std::filesystem::create_directories(folder);
  system_.SetAppFolder(folder.string());
  C::InitEnvironment();
  C::InitIniFile();
  EXPECT_EQ(C::AppPath, folder.string() + "\\");
  EXPECT_EQ(C::ExeName, "tobbelin");
  EXPECT_EQ(C::AppTitle, "Ferrowind Tobbelin");
  EXPECT_EQ(C::IniFile, (folder / "tobbelin.ini").string());
}

TEST_F(SettingsTest, WithoutALongFormThePathIsProperCased) {
  system_.InjectFault("GetLongPathNameA", Fault::Unreachable);
  system_.SetAppFolder("c:\\program files\\my-app");
  system_.SetAppExeName("prog");
  C::InitEnvironment();
  C::InitIniFile();
  EXPECT_EQ(C::IniFile, "C:\\Program Files\\My-App\\Prog.ini");
}

TEST_F(SettingsTest, ALongFormThatDoesNotFitLeavesNoSettingsFile) {
  const std::string deep = folder_.string() + "/" + std::string(250, 'd');
  std::filesystem::create_directories(deep);
  system_.SetAppFolder(deep);
  C::InitEnvironment();
  C::InitIniFile();
  EXPECT_EQ(C::IniFile, "");
  // Reads give the default, writes do nothing and nothing fails.
  EXPECT_EQ(C::ReadIni("Ferrowind Tobbelin", "Top", C::IniFile, "d"), "d");
  C::WriteIni("Ferrowind Tobbelin", "Top", "15", C::IniFile);
}

TEST_F(SettingsTest, AddBackslash) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {{"C:\\Tools\\Dog", "C:\\Tools\\Dog\\"},
               {"C:\\", "C:\\"},
               {"", "\\"},
               {"/opt/tobbelin", "/opt/tobbelin\\"}};
  for (const auto& c : cases) {
    std::string path = c.in;
    EXPECT_EQ(C::AddBackslash(path), c.out) << c.in;
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST_F(SettingsTest, ReadsWhatWasWrittenWhateverTheLetterCase) {
  C::WriteIni("Ferrowind Tobbelin", "Top", "2280", Ini());
  C::WriteIni("Ferrowind Tobbelin", "Left", "-150", Ini());
  EXPECT_EQ(ReadIniText(), "[Ferrowind Tobbelin]\r\nTop=2280\r\nLeft=-150\r\n");
  EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), "2280");
  EXPECT_EQ(Read("FERROWIND TOBBELIN", "left"), "-150");
}

TEST_F(SettingsTest, NoValueGivesTheDefault) {
  const struct {
    const char* name;
    const char* file;  // nullptr: no file
  } cases[] = {{"no file", nullptr},
               {"no section", "[Other]\r\nTop=5\r\n"},
               {"no key", "[Ferrowind Tobbelin]\r\nLeft=5\r\n"},
               {"empty value", "[Ferrowind Tobbelin]\r\nTop=\r\n"},
               {"blank value", "[Ferrowind Tobbelin]\r\nTop=   \r\n"},
               {"empty file", ""}};
  for (const auto& c : cases) {
    std::filesystem::remove(IniPath());
    if (c.file != nullptr) WriteIniText(c.file);
    EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), "<default>") << c.name;
  }
  EXPECT_EQ(C::ReadIni("Ferrowind Tobbelin", "Top", "", "d"), "d");
}

TEST_F(SettingsTest, LongValuesAreCutTo2047Characters) {
  const std::string value(3000, '7');
  WriteIniText("[Ferrowind Tobbelin]\r\nTop=" + value + "\r\n");
  EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), value.substr(0, 2047));
  WriteIniText("[Ferrowind Tobbelin]\r\nTop=" + value.substr(0, 2047) + "\r\n");
  EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), value.substr(0, 2047));
}

TEST_F(SettingsTest, WritingChangesOnlyItsOwnEntry) {
  const std::string before =
      "; my settings\r\n[Other]\r\nTop=1\r\n\r\n[ferrowind tobbelin]\r\nLeft=5\r\nTOP = 7 \r\n"
      "Colour=brown\r\n\r\n[Last]\nx=y";
  WriteIniText(before);
  C::WriteIni("Ferrowind Tobbelin", "Top", "2280", Ini());
  C::WriteIni("Ferrowind Tobbelin", "Left", "1410", Ini());
  EXPECT_EQ(ReadIniText(),
            "; my settings\r\n[Other]\r\nTop=1\r\n\r\n[ferrowind tobbelin]\r\nLeft=1410\r\n"
            "Top=2280\r\nColour=brown\r\n\r\n[Last]\nx=y");
}

TEST_F(SettingsTest, AMissingEntryJoinsItsSection) {
  WriteIniText("[Ferrowind Tobbelin]\r\nTop=15\r\n\r\n[Other]\r\nk=v\r\n");
  C::WriteIni("Ferrowind Tobbelin", "Left", "30", Ini());
  EXPECT_EQ(ReadIniText(), "[Ferrowind Tobbelin]\r\nTop=15\r\nLeft=30\r\n\r\n[Other]\r\nk=v\r\n");
}

TEST_F(SettingsTest, AFailedWriteLeavesTheFileAsItWas) {
  const std::string before = "[Ferrowind Tobbelin]\r\nTop=15\r\n";
  WriteIniText(before);
  ::chmod(IniPath().c_str(), 0444);
  C::WriteIni("Ferrowind Tobbelin", "Top", "30", Ini());
  EXPECT_EQ(ReadIniText(), before);
  ::chmod(IniPath().c_str(), 0644);

  std::filesystem::remove(IniPath());
  std::filesystem::create_directory(IniPath());  // the settings file is a folder
  C::WriteIni("Ferrowind Tobbelin", "Top", "30", Ini());
  EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
  EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), "<default>");
}

TEST_F(SettingsTest, AWriteKeepsTheFilesPermissionsAndLeavesNoTemporaryFiles) {
  WriteIniText("[Ferrowind Tobbelin]\r\nTop=15\r\n");
  ::chmod(IniPath().c_str(), 0600);
  C::WriteIni("Ferrowind Tobbelin", "Top", "30", Ini());
  struct stat st {};
  ASSERT_EQ(::stat(IniPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(SettingsTest, AWriteThroughASymbolicLinkChangesItsTarget) {
  const auto real = folder_ / "real.ini";
  std::ofstream(real, std::ios::binary) << "[Ferrowind Tobbelin]\r\nTop=15\r\n";
  std::filesystem::create_symlink(real, IniPath());
  C::WriteIni("Ferrowind Tobbelin", "Top", "30", Ini());
  EXPECT_TRUE(std::filesystem::is_symlink(IniPath()));
  EXPECT_EQ(Read("Ferrowind Tobbelin", "Top"), "30");
}

}  // namespace
}  // namespace tobbelin_test
