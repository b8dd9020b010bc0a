// The yes/no/all prompt: one answer line each, the OEM prompt, and on
// a pseudo terminal only the answer typed once the prompt is seen (no timing).
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "base/settings.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "platform/posix/layer_state.h"
#include "support/use_codeset.h"

namespace {

const std::string AnswerLine = "\aN=no/Y=yes/A=yes to all (Default:N) ";  // every prompt ends with it
constexpr int DeadlineMs = 10000;

// Standard input reads `input` (a pipe holding the answers, or a terminal)
// and standard output goes to `output`, or is captured when it is -1.
class ConfirmTest : public testing::Test {
 protected:
  void SetUp() override { YesToAll = 0; }
  void TearDown() override {
    Restore();
    YesToAll = AnsiOutput = 0;
    ResetLayerState();
  }
  void Redirect(int input, int output = -1) {
    FlushOutput();
    savedIn_ = dup(STDIN_FILENO);
    dup2(input, STDIN_FILENO);
    clearerr(stdin);
    if (output < 0) {
      testing::internal::CaptureStdout();
    } else {
      savedOut_ = dup(STDOUT_FILENO);
      dup2(output, STDOUT_FILENO);
    }
  }
  void Answer(const std::string& answers) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], answers.data(), answers.size()), (ssize_t)answers.size());
    close(ends[1]);
    Redirect(ends[0]);
    close(ends[0]);
  }
  // Everything written to standard output since Answer.
  std::string Output() {
    FlushOutput();
    return testing::internal::GetCapturedStdout();
  }
  void Restore() {
    FlushOutput();
    if (savedIn_ >= 0) dup2(savedIn_, STDIN_FILENO), close(savedIn_);
    if (savedOut_ >= 0) dup2(savedOut_, STDOUT_FILENO), close(savedOut_);
    savedIn_ = savedOut_ = -1;
    clearerr(stdin);
  }
  int32_t deleteFlag = 0;
  int savedIn_ = -1, savedOut_ = -1;
};

// Prompts are converted to the OEM code page from a copy: asking twice with
// the same text converts it once each time, /A (listing lines only) or not.
TEST_F(ConfirmTest, FirstCharacterOfEachAnswerLineDecidesUntilTheInputEnds) {
  UseCodeset("ISO-8859-1");  // ANSI 1252, OEM 850
  AnsiOutput = 1;
  char prompt[] = "M\xe4rz\n";
  Answer("yes\n\nnonsense\nY\ny");
  EXPECT_TRUE(AskConfirm("Delete C:\\100%s ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));  // Enter alone
  EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
  EXPECT_TRUE(AskConfirm("d\n", &deleteFlag));
  EXPECT_TRUE(AskConfirm("e\n", &deleteFlag));
  EXPECT_FALSE(AskConfirmGlobal("f\n"));  // the input has ended
  EXPECT_EQ(deleteFlag + YesToAll, 0);
  EXPECT_STREQ(prompt, "M\xe4rz\n");
  EXPECT_EQ(Output(), "Delete C:\\100%s ?\n" + AnswerLine + "M\x84rz\n" + AnswerLine + "M\x84rz\n" + AnswerLine +
                          "d\n" + AnswerLine + "e\n" + AnswerLine + "f\n" + AnswerLine);
}

// Reads what the terminal shows until `text` appears or the deadline passes.
bool WaitForScreen(int master, const std::string& text, std::string& screen) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(DeadlineMs);
  while (screen.find(text) == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd out = {master, POLLIN, 0};
    char chunk[256];
    ssize_t got = 0;
    if (left.count() <= 0 || poll(&out, 1, (int)left.count()) != 1 || (got = read(master, chunk, sizeof chunk)) <= 0)
      return false;
    screen.append(chunk, (size_t)got);
  }
  return true;
}

TEST_F(ConfirmTest, OnATerminalOnlyTheAnswerTypedAfterThePromptCounts) {
  int master, slave;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  Redirect(slave, slave);
  ASSERT_EQ(write(master, "n\n", 2), 2);  // typed ahead: thrown away
  pollfd in = {slave, POLLIN, 0};
  ASSERT_EQ(poll(&in, 1, DeadlineMs), 1) << "the typed-ahead line never reached the terminal";
  std::string screen;
  bool sawPrompt = false;
  std::thread typist([&] {
    sawPrompt = WaitForScreen(master, "(Default:N) ", screen);
    (void)!write(master, sawPrompt ? "a\n" : "\n", sawPrompt ? 2 : 1);  // a missing prompt still ends the read
  });
  EXPECT_TRUE(AskConfirm("Delete C:\\x ?\n", &deleteFlag));
  typist.join();
  Restore();
  close(master), close(slave);
  EXPECT_TRUE(sawPrompt) << "no prompt within the deadline; the screen showed: " << screen;
  EXPECT_EQ(deleteFlag, 1);
  EXPECT_NE(screen.find("Delete C:\\x ?"), std::string::npos);
}

}  // namespace
