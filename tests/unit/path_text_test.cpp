// Path texts: proper case, and the settings file's name beside the executable.
#include <gtest/gtest.h>

#include "app/path_text.h"
#include "platform/failure.h"

namespace {

TEST(ProperCase, WordsStartUpperCase) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"c:\\program files\\my-app\\prog.exe", "C:\\Program Files\\My-App\\Prog.exe"},
      {"C:\\APPS\\TOOL.EXE", "C:\\Apps\\Tool.exe"},
      {"d:\\x (old)\\a_b", "D:\\X (Old)\\A_B"},
      {"q", "Q"},
      {"", ""},
      {"a.b:c", "A.b:c"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::ProperCase(c.in), c.out) << c.in;
}

TEST(IniPathFor, ReplacesTheExtensionsLetters) {
  EXPECT_EQ(app::IniPathFor("C:\\Tools\\Dog\\Watch.exe"), "C:\\Tools\\Dog\\Watch.ini");
  EXPECT_EQ(app::IniPathFor("C:\\TOOLS\\WATCH.EXE"), "C:\\TOOLS\\WATCH.ini");
  EXPECT_EQ(app::IniPathFor("/opt/t/tobbelin.exe"), "/opt/t/tobbelin.ini");
  EXPECT_EQ(app::IniPathFor("abc"), "ini");
  EXPECT_THROW(app::IniPathFor("ab"), platform::Failure);
}

}  // namespace
