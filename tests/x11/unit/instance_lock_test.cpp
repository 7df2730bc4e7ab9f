// The lock that keeps one copy running, within one process: a second lock
// on the same file is refused while the first is held, and granted after.
#include "platform/x11/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

using platform::x11::InstanceLock;
using platform::x11::LockFilePath;

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("tobbelin-lock-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
  }
  void TearDown() override {
    ::unsetenv("XDG_RUNTIME_DIR");  // NOLINT(concurrency-mt-unsafe)
    std::filesystem::remove_all(folder_);
  }
  std::filesystem::path folder_;
};

TEST_F(InstanceLockTest, OneHolderPerExecutableUntilItLetsGo) {
  {
    InstanceLock first;
    ASSERT_TRUE(first.Acquire("/opt/a/tobbelin"));
    InstanceLock second;
    EXPECT_FALSE(second.Acquire("/opt/a/tobbelin"));
    InstanceLock other;
    EXPECT_TRUE(other.Acquire("/opt/b/tobbelin"));  // another executable
  }
  InstanceLock again;
  EXPECT_TRUE(again.Acquire("/opt/a/tobbelin"));
}

TEST_F(InstanceLockTest, TheFileLivesInTheRuntimeFolderOrElseInTmpByUser) {
  const std::string path = LockFilePath("/opt/a/tobbelin");
  EXPECT_EQ(std::filesystem::path(path).parent_path(), folder_);
  EXPECT_NE(path, LockFilePath("/opt/b/tobbelin"));
  ::unsetenv("XDG_RUNTIME_DIR");  // NOLINT(concurrency-mt-unsafe)
  EXPECT_EQ(
      LockFilePath("/opt/a/tobbelin").rfind("/tmp/tobbelin-" + std::to_string(::getuid()) + "-", 0),
      0u);
}

}  // namespace
