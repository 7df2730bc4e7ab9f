// One running copy per executable and user: an exclusive lock on a file in
// the user's runtime folder, held for the life of the process. The kernel
// lets go of it when the process ends in any way, so a crashed copy never
// blocks the next start.
#pragma once

#include <string>

namespace platform::x11 {

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock named after `executable` (its real path). False when
  // another process holds it; true when this process now holds it, or when
  // no lock file can be made at all (better two copies than none).
  bool Acquire(const std::string& executable);

 private:
  int fd_ = -1;
};

// The lock file for an executable: $XDG_RUNTIME_DIR/tobbelin-<hash>.lock, or
// in /tmp with the user's id in the name when there is no runtime folder.
std::string LockFilePath(const std::string& executable);

// The running executable's real path (from /proc/self/exe); empty if unknown.
std::string ExecutablePath();

}  // namespace platform::x11
