// A headless runtime with the program's settings folder in a fresh temporary
// folder, and the program-wide values reset.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/commands.h"
#include "platform/forms.h"
#include "platform/headless/headless_system.h"

namespace tobbelin_test {

class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessTest() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ =
        std::filesystem::temp_directory_path() / ("tobbelin-test-" + std::to_string(::getpid()) +
                                                  "-" + std::to_string(counter_++) + "-" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    system_.SetAppFolder(folder_.string());
    system_.SetAppExeName("tobbelin");
    namespace C = app::Commands;
    C::AppPath.clear();
    C::ExeName.clear();
    C::AppTitle.clear();
    C::IniFile.clear();
  }
  ~HeadlessTest() override {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path IniPath() const { return folder_ / "tobbelin.ini"; }

  void WriteIniText(const std::string& text) const {
    std::ofstream(IniPath(), std::ios::binary) << text;
  }
  std::string ReadIniText() const {
    std::ifstream in(IniPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path folder_;
  platform::headless::HeadlessSystem system_;
  platform::Runtime runtime_{system_};

 private:
  static inline int counter_ = 0;
};

}  // namespace tobbelin_test
