// A process a test starts: it dies with the test process even when the test
// is killed, and is stopped and reaped when its Child goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tobbelin_x11 {

struct ChildOptions {
  std::vector<std::string> argv;
  std::vector<std::string> environment;  // NAME=value, the whole environment
  std::string workingFolder;             // empty: the test's own
  std::string outputFile;                // stdout and stderr appended; empty: /dev/null
  int fd3 = -1;                          // given to the child as its fd 3
};

class Child {
 public:
  Child() = default;
  explicit Child(const ChildOptions& options);
  ~Child();
  Child(Child&& other) noexcept;
  Child& operator=(Child&& other) noexcept;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // The exit code once it has ended (128 + n when signal n ended it).
  std::optional<int> ExitCode();
  bool Running() { return pid_ > 0 && !ExitCode(); }
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  void Signal(int signal) const;
  // SIGTERM, then SIGKILL if it lingers; reaped either way.
  void Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

}  // namespace tobbelin_x11
