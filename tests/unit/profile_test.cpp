// Reading and changing entries of the settings file's text.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/profile.h"

namespace {

using platform::profile::Get;
using platform::profile::Set;

TEST(ProfileGet, FindsEntriesAsTheWindowsProfileFunctionsDo) {
  const struct {
    const char* name;
    std::string text;
    std::optional<std::string> top;  // of section "Ferrowind Tobbelin", key "Top"
  } cases[] = {
      {"plain", "[Ferrowind Tobbelin]\r\nTop=1500\r\n", "1500"},
      {"letter case", "[FERROWIND tobbelin]\r\ntop=1\r\n", "1"},
      {"blanks around names and values", "  [ Ferrowind Tobbelin ]  \r\n  Top  =  2 \r\n", "2"},
      {"double quotes", "[Ferrowind Tobbelin]\r\nTop=\" 3 \"\r\n", " 3 "},
      {"single quotes", "[Ferrowind Tobbelin]\r\nTop='4'\r\n", "4"},
      {"unmatched quote stays", "[Ferrowind Tobbelin]\r\nTop=\"5\r\n", "\"5"},
      {"LF only", "[Ferrowind Tobbelin]\nTop=6\n", "6"},
      {"CR only", "[Ferrowind Tobbelin]\rTop=7\r", "7"},
      {"byte order mark", "\xEF\xBB\xBF[Ferrowind Tobbelin]\r\nTop=8\r\n", "8"},
      {"first of two keys", "[Ferrowind Tobbelin]\r\nTop=9\r\nTop=10\r\n", "9"},
      {"first of two sections",
       "[Ferrowind Tobbelin]\r\nLeft=1\r\n[Ferrowind Tobbelin]\r\nTop=11\r\n", std::nullopt},
      {"comment", "[Ferrowind Tobbelin]\r\n;Top=12\r\n#Top=13\r\n", std::nullopt},
      {"other section", "[Other]\r\nTop=14\r\n[Ferrowind Tobbelin]\r\n", std::nullopt},
      {"before any section", "Top=15\r\n[Ferrowind Tobbelin]\r\n", std::nullopt},
      {"value with '='", "[Ferrowind Tobbelin]\r\nTop=a=b\r\n", "a=b"},
      {"NUL ends the value", std::string("[Ferrowind Tobbelin]\r\nTop=16\0x\r\n", 30), "16"},
      {"no line end at the end", "[Ferrowind Tobbelin]\r\nTop=17", "17"},
      {"empty value", "[Ferrowind Tobbelin]\r\nTop=\r\n", ""},
      {"section without ']'", "[Ferrowind Tobbelin\r\nTop=18\r\n", "18"},
      {"empty file", "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Get(c.text, "Ferrowind Tobbelin", "Top"), c.top) << c.name;
  }
}

TEST(ProfileSet, ChangesOnlyItsOwnLine) {
  const struct {
    const char* name;
    std::string before;
    const char* key;
    std::string after;
  } cases[] = {
      {"new file", "", "Top", "[Ferrowind Tobbelin]\r\nTop=1\r\n"},
      {"new entry after the last of its section", "[Ferrowind Tobbelin]\r\nLeft=2\r\n\r\n[X]\r\n",
       "Top", "[Ferrowind Tobbelin]\r\nLeft=2\r\nTop=1\r\n\r\n[X]\r\n"},
      {"replaced where it stands, in the case given", "[ferrowind tobbelin]\nTOP = 9 \nLeft=2\n",
       "Top", "[ferrowind tobbelin]\nTop=1\nLeft=2\n"},
      {"new section at the end of a file without a final line end", "[X]\r\nk=v", "Top",
       "[X]\r\nk=v\r\n[Ferrowind Tobbelin]\r\nTop=1\r\n"},
      {"new entry in a last section without a final line end", "[Ferrowind Tobbelin]\r\nLeft=2",
       "Top", "[Ferrowind Tobbelin]\r\nLeft=2\r\nTop=1"},
      {"comments and junk kept byte for byte", "; c\r\n\x01\x02junk\r\n[Ferrowind Tobbelin]\r\n",
       "Top", "; c\r\n\x01\x02junk\r\n[Ferrowind Tobbelin]\r\nTop=1\r\n"},
      {"byte order mark kept", "\xEF\xBB\xBF", "Top",
       "\xEF\xBB\xBF[Ferrowind Tobbelin]\r\nTop=1\r\n"},
      {"first of two keys", "[Ferrowind Tobbelin]\r\nTop=9\r\nTop=8\r\n", "Top",
       "[Ferrowind Tobbelin]\r\nTop=1\r\nTop=8\r\n"},
  };
  for (const auto& c : cases) {
    const auto after = Set(c.before, "Ferrowind Tobbelin", c.key, "1");
    ASSERT_TRUE(after.has_value()) << c.name;
    EXPECT_EQ(*after, c.after) << c.name;
    EXPECT_EQ(Get(*after, "Ferrowind Tobbelin", c.key), "1") << c.name;
  }
}

TEST(ProfileSet, RefusesWhatWouldNotReadBack) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S", "Top", "1\r\n[Evil]"}, {"S]x", "Top", "1"}, {"S", "a=b", "1"},  {"S", "", "1"},
      {" ", "Top", "1"},           {"S", "[Top", "1"},  {"S", ";Top", "1"}, {"S\n", "Top", "1"}};
  for (const auto& c : cases) {
    EXPECT_FALSE(Set("", c.section, c.key, c.value).has_value()) << c.section << "/" << c.key;
  }
}

}  // namespace
