#include "tests/x11/companion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {

namespace {

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

Companion::Companion(const Desktop* desktop) : desktop_(desktop) {
  static std::atomic<int> counter{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("tobbelin-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_ / "app");
  std::filesystem::create_directories(folder_ / "runtime");
  std::filesystem::copy_file(TOBBELIN_EXE, folder_ / "app" / "tobbelin");
}

Companion::~Companion() {
  runs_.clear();  // stops whatever still runs
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void Companion::WriteSettings(const std::string& text) const {
  std::ofstream(SettingsPath(), std::ios::binary) << text;
}

std::optional<std::string> Companion::Settings() const {
  return ReadFile(SettingsPath());
}

std::string Companion::Output() const {
  return ReadFile(folder_ / "output.txt").value_or("");
}

Child& Companion::Start(const std::vector<std::string>& wrapper) {
  std::vector<std::string> environment = {"PATH=/usr/bin:/bin", "HOME=" + folder_.string(),
                                          "XDG_RUNTIME_DIR=" + (folder_ / "runtime").string()};
  if (desktop_ != nullptr) environment.push_back("DISPLAY=" + desktop_->DisplayName());
  // TOBBELIN_TEST_WRAPPER runs every copy under a tool, e.g. valgrind and its
  // options separated by blanks.
  std::vector<std::string> argv;
  if (const char* tool = std::getenv("TOBBELIN_TEST_WRAPPER")) {
    std::istringstream words(tool);
    for (std::string word; words >> word;) argv.push_back(word);
  }
  argv.insert(argv.end(), wrapper.begin(), wrapper.end());
  argv.push_back((folder_ / "app" / "tobbelin").string());
  runs_.emplace_back(
      ChildOptions{argv, environment, folder_.string(), (folder_ / "output.txt").string()});
  return runs_.back();
}

WindowId Companion::WaitForWindow() const {
  WindowId found = 0;
  const bool shown = WaitUntil(
      [&] {
        const auto windows = desktop_->ClientsOfClass("tobbelin");
        if (windows.size() != 1 || !desktop_->Viewable(windows[0])) return false;
        found = windows[0];
        return true;
      },
      10s);  // generous: a copy may run under valgrind
  if (!shown) {
    ADD_FAILURE() << "no window of class tobbelin came; output: " << Output();
    return 0;
  }
  return found;
}

}  // namespace tobbelin_x11
