// Wine for one test run: a fresh prefix in a temporary folder, its server
// kept alive between the launches of the run, and the program started from
// folders of its own so that each test finds its settings file where it
// expects it.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/process.h"

namespace wine_test {

class WineSession {
 public:
  // Makes the prefix on `display` (7-9 s). Raises std::runtime_error when
  // Wine does not come up.
  WineSession(std::filesystem::path exe, const std::string& display);
  ~WineSession();  // stops the server, removes the folder
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  // A folder holding only a copy of the executable (emptied if it was there).
  std::filesystem::path NewFolder(const std::string& name);
  // Starts the executable of `folder` under Wine.
  std::unique_ptr<Process> Launch(const std::filesystem::path& folder);
  // Runs another Windows program to its end (at most 30 s); its exit code.
  std::optional<int> RunTool(const std::vector<std::string>& argv,
                             const std::filesystem::path& output);
  // Where the run's files and logs go.
  const std::filesystem::path& root() const { return root_; }

 private:
  std::map<std::string, std::string> Environment() const;

  std::filesystem::path exe_;
  std::string display_;
  std::filesystem::path root_;
};

}  // namespace wine_test
