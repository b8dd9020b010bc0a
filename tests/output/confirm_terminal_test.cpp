// On a terminal, an answer typed before the prompt appeared is thrown away:
// only what is typed after the question counts.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "base/settings.h"
#include "output/console.h"

namespace {

class TerminalTest : public testing::Test {
 protected:
  void SetUp() override {
    YesToAll = 0;
    ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
    savedStdin_ = dup(STDIN_FILENO);
    ASSERT_GE(savedStdin_, 0);
    ASSERT_GE(dup2(slave_, STDIN_FILENO), 0);
    clearerr(stdin);
  }
  void TearDown() override {
    dup2(savedStdin_, STDIN_FILENO);
    close(savedStdin_);
    close(slave_);
    close(master_);
    clearerr(stdin);
  }
  void Type(const std::string& keys) { ASSERT_EQ(write(master_, keys.data(), keys.size()), (ssize_t)keys.size()); }

  int master_ = -1, slave_ = -1, savedStdin_ = -1;
};

TEST_F(TerminalTest, TypedAheadAnswerIsDiscarded) {
  Type("y\n");  // typed before the question
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Type("n\n");
  });
  int32_t flag = 0;
  testing::internal::CaptureStdout();
  bool answer = AskConfirm("Delete C:\\x ?\n", &flag);
  std::string shown = testing::internal::GetCapturedStdout();
  later.join();
  EXPECT_FALSE(answer);
  EXPECT_EQ(shown.rfind("Delete C:\\x ?\n", 0), 0u);
}

TEST_F(TerminalTest, AnswerTypedAfterThePromptCounts) {
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Type("a\n");
  });
  int32_t flag = 0;
  testing::internal::CaptureStdout();
  bool answer = AskConfirm("Copy C:\\x ?\n", &flag);
  testing::internal::GetCapturedStdout();
  later.join();
  EXPECT_TRUE(answer);
  EXPECT_EQ(flag, 1);
}

}  // namespace
