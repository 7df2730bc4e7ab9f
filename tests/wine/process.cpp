#include "tests/wine/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

extern char** environ;  // NOLINT(readability-redundant-declaration): POSIX leaves it undeclared

namespace wine_test {

Process::Process(const std::vector<std::string>& argv,
                 const std::map<std::string, std::string>& extra, const std::string& output) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [key, value] : extra) env[key] = value;
  std::vector<std::string> envText;
  for (const auto& [key, value] : env) envText.push_back(key + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (std::string& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);

  const std::string sink = output.empty() ? "/dev/null" : output;
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("cannot start " + argv[0]);
  if (pid_ == 0) {
    // Only async-signal-safe calls from here to exec.
    ::setpgid(0, 0);                     // its own group, so that Kill also ends what it started
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // and a crashed test leaves no server behind
    const int fd = ::open(sink.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      ::dup2(fd, 1);
      ::dup2(fd, 2);
    }
    ::execvpe(argp[0], argp.data(), envp.data());
    ::_exit(127);
  }
}

Process::~Process() {
  Kill();
}

bool Process::Running() {
  if (status_ || pid_ < 0) return false;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done != pid_) return done == 0;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  return false;
}

std::optional<int> Process::Wait(std::chrono::milliseconds limit) {
  WaitUntil([this] { return !Running(); }, limit);
  return status_;
}

void Process::Kill() {
  if (!Running()) return;
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  status_ = -SIGKILL;
}

std::optional<int> RunToEnd(const std::vector<std::string>& argv,
                            const std::map<std::string, std::string>& extra,
                            std::chrono::milliseconds limit, const std::string& output) {
  Process process(argv, extra, output);
  return process.Wait(limit);
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");  // NOLINT(concurrency-mt-unsafe): one thread
  std::istringstream folders(path == nullptr ? "" : path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (::access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace wine_test
