// The yes/no/all prompt: one answer line per prompt, what A stops, and the
// prompt in the OEM code page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/settings.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/layer_state.h"
#include "support/use_codeset.h"

namespace {

// The line every prompt ends with.
const std::string AnswerLine = "\aN=no/Y=yes/A=yes to all (Default:N) ";

class ConsoleSession {
 public:
  // `answers` is what the user types; after it, standard input is at its end.
  explicit ConsoleSession(const std::string& answers) {
    int ends[2];
    savedInput_ = dup(STDIN_FILENO);
    EXPECT_EQ(pipe(ends), 0);
    EXPECT_EQ(write(ends[1], answers.data(), answers.size()), (ssize_t)answers.size());
    close(ends[1]);
    dup2(ends[0], STDIN_FILENO);
    close(ends[0]);
    clearerr(stdin);
    testing::internal::CaptureStdout();
  }
  ~ConsoleSession() {
    if (capturing_) Output();
    dup2(savedInput_, STDIN_FILENO);
    close(savedInput_);
    clearerr(stdin);
  }

  // Everything written to standard output; ends the capture.
  std::string Output() {
    FlushOutput();
    capturing_ = false;
    return testing::internal::GetCapturedStdout();
  }

 private:
  int savedInput_;
  bool capturing_ = true;
};

class ConfirmTest : public testing::Test {
 protected:
  void SetUp() override { YesToAll = 0; }
  void TearDown() override { YesToAll = 0; }
  int32_t deleteFlag = 0, copyFlag = 0;
};

TEST_F(ConfirmTest, FirstCharacterOfEachAnswerLineDecidesUntilTheInputEnds) {
  ConsoleSession console("yes\n\nnonsense\nY\ny");
  EXPECT_TRUE(AskConfirm("Delete C:\\100%s ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirm("b\n", &deleteFlag));  // Enter alone
  EXPECT_FALSE(AskConfirm("c\n", &deleteFlag));
  EXPECT_TRUE(AskConfirm("d\n", &deleteFlag));
  EXPECT_TRUE(AskConfirm("e\n", &deleteFlag));
  EXPECT_FALSE(AskConfirmGlobal("f\n"));  // the input has ended
  EXPECT_EQ(deleteFlag, 0);
  EXPECT_EQ(YesToAll, 0);
  EXPECT_EQ(console.Output(), "Delete C:\\100%s ?\n" + AnswerLine + "b\n" + AnswerLine + "c\n" + AnswerLine +
                                  "d\n" + AnswerLine + "e\n" + AnswerLine + "f\n" + AnswerLine);
}

TEST_F(ConfirmTest, AllStopsItsOwnKindOfQuestionOrAtTheGlobalPromptEveryOne) {
  ConsoleSession console("a\nA\nn\n");
  EXPECT_TRUE(AskConfirm("Delete x ?\n", &deleteFlag));
  EXPECT_EQ(deleteFlag, 1);
  EXPECT_EQ(YesToAll, 0);
  EXPECT_TRUE(AskConfirmGlobal("Set x ?\n"));
  EXPECT_EQ(YesToAll, 1);
  EXPECT_TRUE(AskConfirm("Copy x ?\n", &copyFlag));  // not asked: the n stays unread
  EXPECT_EQ(copyFlag, 0);
  EXPECT_EQ(console.Output(), "Delete x ?\n" + AnswerLine + "Set x ?\n" + AnswerLine);
}

// Converted from a copy: asking twice with the same text converts it once
// each time, /A or not.
TEST_F(ConfirmTest, PromptsAreConvertedToTheOemCodePageExactlyOnce) {
  UseCodeset("ISO-8859-1");  // ANSI 1252, OEM 850
  AnsiOutput = 1;
  char prompt[] = "Delete C:\\M\xe4rz ?\n";
  std::string output;
  {
    ConsoleSession console("n\nn\n");
    EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
    EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
    output = console.Output();
  }
  ResetLayerState();
  AnsiOutput = 0;
  EXPECT_STREQ(prompt, "Delete C:\\M\xe4rz ?\n");
  EXPECT_EQ(output, "Delete C:\\M\x84rz ?\n" + AnswerLine + "Delete C:\\M\x84rz ?\n" + AnswerLine);
}

}  // namespace
