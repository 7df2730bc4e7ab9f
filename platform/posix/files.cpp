#include "platform/posix/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform::posix {

namespace {

// Settings files are small; a larger file is not one of ours.
constexpr off_t kLargestFile = off_t{16} * 1024 * 1024;

std::string Folder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string NativePath(const std::string& windowsPath) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::string> result;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kLargestFile) {
    std::string data;
    char chunk[8192];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      if (n == 0) {
        result = std::move(data);
        break;
      }
      data.append(chunk, static_cast<std::size_t>(n));
      if (static_cast<off_t>(data.size()) > kLargestFile) break;
    }
  }
  ::close(fd);
  return result;
}

bool ReplaceFile(const std::string& path, const std::string& contents) {
  std::string target = path;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  // A file or folder without any write permission is read-only, also for
  // root, as a read-only file is on Windows.
  if (exists) {
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
      return false;
    }
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return false;
    target = resolved;
  }
  struct stat folder {};
  if (::stat(Folder(target).c_str(), &folder) != 0 || (folder.st_mode & 0222) == 0) return false;
  std::string temp = target + ".XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  temp = name.data();
  mode_t mode = st.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

std::optional<std::string> LongPath(const std::string& windowsPath) {
  if (windowsPath.empty()) return std::nullopt;
  const std::string path = NativePath(windowsPath);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 || IsFolder(Folder(path))) return path;
  return std::nullopt;
}

}  // namespace platform::posix
