// On a terminal, an answer typed before the prompt appeared is thrown away.
// The prompt runs on a pseudo terminal; a typist thread answers once it has
// seen the question, so nothing depends on timing, and a prompt that never
// comes fails the test after a few seconds instead of hanging it.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "base/settings.h"
#include "output/console.h"
#include "output/standard_output.h"

namespace {

constexpr int DeadlineMs = 10000;

class TerminalTest : public testing::Test {
 protected:
  void SetUp() override {
    YesToAll = 0;
    ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
    FlushOutput();
    savedIn_ = dup(STDIN_FILENO);
    savedOut_ = dup(STDOUT_FILENO);
    ASSERT_GE(dup2(slave_, STDIN_FILENO), 0);
    ASSERT_GE(dup2(slave_, STDOUT_FILENO), 0);
    clearerr(stdin);
  }
  void TearDown() override {
    FlushOutput();
    dup2(savedIn_, STDIN_FILENO);
    dup2(savedOut_, STDOUT_FILENO);
    for (int fd : {savedIn_, savedOut_, slave_, master_}) close(fd);
    clearerr(stdin);
  }

  void Type(const std::string& keys) { ASSERT_EQ(write(master_, keys.data(), keys.size()), (ssize_t)keys.size()); }

  // Types ahead and waits until the terminal holds that line for reading.
  void TypeAhead(const std::string& line) {
    Type(line);
    pollfd in = {slave_, POLLIN, 0};
    ASSERT_EQ(poll(&in, 1, DeadlineMs), 1) << "the typed-ahead line never reached the terminal";
  }

  // Asks, answering `answer` once the prompt has appeared on the terminal.
  bool AskAnswering(const std::string& answer, int32_t* flag) {
    bool sawPrompt = false;
    std::thread typist([&] {
      sawPrompt = WaitForScreen("(Default:N) ");
      Type(sawPrompt ? answer : "\n");  // a missing prompt still ends the read
    });
    bool result = AskConfirm("Delete C:\\x ?\n", flag);
    typist.join();
    EXPECT_TRUE(sawPrompt) << "no prompt within the deadline; the screen showed: " << screen_;
    return result;
  }

  // Reads what the terminal shows until `text` appears or the deadline passes.
  bool WaitForScreen(const std::string& text) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(DeadlineMs);
    while (screen_.find(text) == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd out = {master_, POLLIN, 0};
      if (left.count() <= 0 || poll(&out, 1, (int)left.count()) != 1) return false;
      char chunk[256];
      ssize_t got = read(master_, chunk, sizeof chunk);
      if (got <= 0) return false;
      screen_.append(chunk, (size_t)got);
    }
    return true;
  }

  int master_ = -1, slave_ = -1, savedIn_ = -1, savedOut_ = -1;
  std::string screen_;
};

TEST_F(TerminalTest, OnlyTheAnswerTypedAfterThePromptCounts) {
  TypeAhead("n\n");
  int32_t flag = 0;
  EXPECT_TRUE(AskAnswering("a\n", &flag));
  EXPECT_EQ(flag, 1);
  EXPECT_NE(screen_.find("Delete C:\\x ?"), std::string::npos);
}

}  // namespace
