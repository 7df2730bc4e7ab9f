// How the program ends when something outside ends it: the X server going
// away, or an interrupt. It never hangs or spins, and writes nothing.
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "tests/x11/companion.h"
#include "tests/x11/desktop.h"
#include "tests/x11/wait.h"

namespace tobbelin_x11 {
namespace {

TEST(LifetimeTest, EndsPromptlyWhenTheServerGoesAway) {
  Desktop desktop;
  Companion companion(&desktop);
  Child& run = companion.Start();
  ASSERT_NE(companion.WaitForWindow(), 0u);
  desktop.StopServer();
  const auto code = run.WaitExit(3s);
  ASSERT_TRUE(code.has_value()) << "still running without a server";
  EXPECT_NE(*code, 0);
  EXPECT_NE(companion.Output().find("X server"), std::string::npos) << companion.Output();
  EXPECT_FALSE(companion.Settings().has_value());
}

class InterruptTest : public ::testing::TestWithParam<int> {};

TEST_P(InterruptTest, EndsWithoutWritingTheSettingsFile) {
  Desktop desktop;
  Companion companion(&desktop);
  Child& run = companion.Start();
  ASSERT_NE(companion.WaitForWindow(), 0u);
  run.Signal(GetParam());
  const auto code = run.WaitExit(3s);
  ASSERT_TRUE(code.has_value());
  EXPECT_FALSE(companion.Settings().has_value());
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& param) {
                           return std::string(param.param == SIGTERM ? "term" : "interrupt");
                         });

}  // namespace
}  // namespace tobbelin_x11
