// Children the layer runs: their output captured, their exit code given, a
// child past its time killed with its group, a missing program reported.
#include "platform/posix/child_process.h"

#include <gtest/gtest.h>

namespace {

TEST(ChildProcess, CapturesOutputAndKillsAChildPastItsTime) {
  std::string output;
  int status = -1;
  EXPECT_EQ(RunChild({"sh", "-c", "echo out; echo err >&2; read x; echo \"[$x]\"; exit 3"}, 5000, output, status),
            ChildEnd::Exited);
  EXPECT_EQ(output, "out\nerr\n[]\n");
  EXPECT_EQ(status, 3);

  // The sleeping grandchild holds the output open: the whole group is killed.
  EXPECT_EQ(RunChild({"sh", "-c", "echo started; sleep 30; echo late"}, 200, output, status), ChildEnd::TimedOut);
  EXPECT_EQ(output, "started\n");

  EXPECT_EQ(RunChild({"keltro-no-such-program"}, 1000, output, status), ChildEnd::NotStarted);
}

}  // namespace
