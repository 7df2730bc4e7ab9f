// The real executable, copied into a folder of its own, started on a test's
// desktop. Its settings file lives beside the copy; its lock file in the
// folder's own runtime directory, so tests never see each other's copies.
#pragma once

#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "tests/x11/child.h"
#include "tests/x11/desktop.h"

namespace tobbelin_x11 {

class Companion {
 public:
  // `desktop` may be null: then the program starts without a display.
  explicit Companion(const Desktop* desktop);
  ~Companion();
  Companion(const Companion&) = delete;
  Companion& operator=(const Companion&) = delete;

  std::filesystem::path SettingsPath() const { return folder_ / "app" / "tobbelin.ini"; }
  void WriteSettings(const std::string& text) const;
  // The settings file's bytes; none when there is no file.
  std::optional<std::string> Settings() const;
  // What the program's runs wrote to stdout and stderr.
  std::string Output() const;

  // Starts one more copy; it stays the Companion's until the end. A wrapper
  // (such as prlimit with its options) runs the executable when given.
  Child& Start(const std::vector<std::string>& wrapper = {});
  std::filesystem::path AppFolder() const { return folder_ / "app"; }
  // The one window of the class "tobbelin" once the window manager manages
  // it and it is on the screen; 0 (and a test failure) if none comes.
  WindowId WaitForWindow() const;

 private:
  const Desktop* desktop_;
  std::filesystem::path folder_;
  std::list<Child> runs_;
};

}  // namespace tobbelin_x11
