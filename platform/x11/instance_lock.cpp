#include "platform/x11/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform::x11 {

namespace {

// FNV-1a: a stable short name for a long path.
std::string HashText(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[hash & 15];
  return hex;
}

}  // namespace

std::string LockFilePath(const std::string& executable) {
  const std::string name = "tobbelin-" + HashText(executable) + ".lock";
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");  // NOLINT(concurrency-mt-unsafe)
  if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/" + name;
  return "/tmp/tobbelin-" + std::to_string(::getuid()) + "-" + name;
}

std::string ExecutablePath() {
  std::error_code error;
  const auto path = std::filesystem::canonical("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

bool InstanceLock::Acquire(const std::string& executable) {
  if (fd_ >= 0) return true;
  // No following links: /tmp is shared with other users.
  const int fd =
      ::open(LockFilePath(executable).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return !held;
  }
  fd_ = fd;
  return true;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace platform::x11
