// Child processes for the Wine tests: started with a few variables added to
// the environment, waited for with a time limit, never left behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace wine_test {

// Polls `condition` every 20 ms until it holds or `limit` has passed.
template <class Condition>
bool WaitUntil(Condition&& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

class Process {
 public:
  // Starts argv[0] (searched on PATH) with `extra` added to this process's
  // environment. `output`, when given, receives stdout and stderr.
  // Raises std::runtime_error when it cannot be started.
  Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& extra,
          const std::string& output = "");
  ~Process();  // kills the child if it still runs
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // The exit code once the child has ended within `limit`; -signal when a
  // signal ended it; nothing while it still runs.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  void Kill();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs to the end (at most `limit`); the exit code, or nothing on timeout.
std::optional<int> RunToEnd(const std::vector<std::string>& argv,
                            const std::map<std::string, std::string>& extra,
                            std::chrono::milliseconds limit, const std::string& output = "");

// True when `program` is found on PATH.
bool OnPath(const std::string& program);

}  // namespace wine_test
