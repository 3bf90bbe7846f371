#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/single_instance.h"
#include "platform/test_controls.h"
#include "tests/support/temp_dir.h"

namespace {

// A first copy in a child process: it takes the lock, says so through the pipe and
// waits; `closes` decides whether it ends on the close request (SIGTERM).
pid_t StartFirstCopy(bool closes) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGTERM, closes ? SIG_DFL : SIG_IGN);
    const char ok = plat::AcquireInstanceLock() == plat::InstanceLock::kAcquired ? 'y' : 'n';
    if (write(ready[1], &ok, 1) != 1) _exit(2);
    for (;;) pause();
  }
  close(ready[1]);
  char ok = 0;
  const bool started = read(ready[0], &ok, 1) == 1 && ok == 'y';
  close(ready[0]);
  if (!started && pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  return pid;
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::make_unique<cTempDir>();
    setenv("KORVANE_LOCK", (m_dir->Path() + "/game.lock").c_str(), 1);
    plat::ReloadTestControls();
  }
  void TearDown() override {
    plat::ReleaseInstanceLock();
    unsetenv("KORVANE_LOCK");
    plat::ReloadTestControls();
  }
  std::unique_ptr<cTempDir> m_dir;
};

// Asked first; a copy that closes is not forced, one that does not close is ended
// by force after the wait, and either way the second copy takes the lock over.
TEST_F(SingleInstance, TheRunningCopyIsAskedFirstThenEndedByForce) {
  const struct {
    bool closes;
    plat::EndCopy result;
    int signal;
  } cases[] = {{true, plat::EndCopy::kEnded, SIGTERM}, {false, plat::EndCopy::kForced, SIGKILL}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.closes);
    const pid_t first = StartFirstCopy(c.closes);
    ASSERT_GT(first, 0);
    ASSERT_EQ(plat::AcquireInstanceLock(), plat::InstanceLock::kHeld);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(plat::EndRunningCopy(500), c.result);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (!c.closes) {
      EXPECT_GE(ms, 500);  // the orderly close had its time
    }
    EXPECT_LT(ms, 5000);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal);
    EXPECT_EQ(plat::AcquireInstanceLock(), plat::InstanceLock::kAcquired);
    plat::ReleaseInstanceLock();
  }
}

}  // namespace
