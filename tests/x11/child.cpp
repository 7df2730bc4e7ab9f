#include "tests/x11/child.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "tests/x11/wait.h"

namespace tobbelin_x11 {

Child::Child(const ChildOptions& options) {
  std::vector<char*> argv;
  std::vector<std::string> args = options.argv;
  std::vector<std::string> env = options.environment;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  const int output = ::open(options.outputFile.empty() ? "/dev/null" : options.outputFile.c_str(),
                            O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // Dies with the test, even a test killed on a timeout.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    ::setpgid(0, 0);
    if (output >= 0) {
      ::dup2(output, 1);
      ::dup2(output, 2);
    }
    if (options.fd3 >= 0) {
      // dup2 onto itself would keep close-on-exec: clear it by hand.
      if (options.fd3 == 3) ::fcntl(3, F_SETFD, 0);
      ::dup2(options.fd3, 3);
    }
    if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) {
      ::_exit(127);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  if (output >= 0) ::close(output);
}

Child::~Child() {
  Stop();
}

Child::Child(Child&& other) noexcept : pid_(other.pid_), exitCode_(other.exitCode_) {
  other.pid_ = -1;
}

Child& Child::operator=(Child&& other) noexcept {
  if (this != &other) {
    Stop();
    pid_ = other.pid_;
    exitCode_ = other.exitCode_;
    other.pid_ = -1;
  }
  return *this;
}

std::optional<int> Child::ExitCode() {
  if (exitCode_ || pid_ <= 0) return exitCode_;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return exitCode_;
}

std::optional<int> Child::WaitExit(std::chrono::milliseconds timeout) {
  WaitUntil([&] { return ExitCode().has_value(); }, timeout);
  return ExitCode();
}

void Child::Signal(int signal) const {
  if (pid_ > 0 && !exitCode_) ::kill(pid_, signal);
}

void Child::Stop() {
  if (pid_ <= 0 || ExitCode()) return;
  Signal(SIGTERM);
  if (!WaitExit(2s)) {
    Signal(SIGKILL);
    WaitExit(5s);
  }
}

}  // namespace tobbelin_x11
