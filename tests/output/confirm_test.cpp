#include <gtest/gtest.h>

#include <string>

#include "base/settings.h"
#include "output/console.h"
#include "output/console_redirect.h"

namespace {

class ConfirmTest : public testing::Test {
 protected:
  void SetUp() override { YesToAll = 0; }
  void TearDown() override { YesToAll = 0; }
  int32_t deleteFlag = 0;
};

TEST_F(ConfirmTest, FirstCharacterOfEachAnswerLineDecides) {
  ConsoleSession console("yes\n\nn\nY\nnonsense\n");
  EXPECT_TRUE(AskConfirm("Delete C:\\a ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirm("Delete C:\\b ?\n", &deleteFlag));  // Enter alone
  EXPECT_FALSE(AskConfirm("Delete C:\\c ?\n", &deleteFlag));
  EXPECT_TRUE(AskConfirm("Delete C:\\d ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirm("Delete C:\\e ?\n", &deleteFlag));
  EXPECT_EQ(deleteFlag, 0);
  EXPECT_EQ(console.Output(), "Delete C:\\a ?\n" + AnswerLine + "Delete C:\\b ?\n" + AnswerLine +
                                  "Delete C:\\c ?\n" + AnswerLine + "Delete C:\\d ?\n" + AnswerLine +
                                  "Delete C:\\e ?\n" + AnswerLine);
}

TEST_F(ConfirmTest, EndOfInputAnswersNoEveryTime) {
  ConsoleSession console("y");
  EXPECT_TRUE(AskConfirm("Copy a ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirm("Copy b ?\n", &deleteFlag));
  EXPECT_FALSE(AskConfirmGlobal("Set c ?\n"));
  EXPECT_EQ(YesToAll, 0);
}

TEST_F(ConfirmTest, AllSetsTheActionFlagOnly) {
  ConsoleSession console("a\nA\n");
  EXPECT_TRUE(AskConfirm("Delete x ?\n", &deleteFlag));
  EXPECT_EQ(deleteFlag, 1);
  EXPECT_EQ(YesToAll, 0);
  int32_t copyFlag = 0;
  EXPECT_TRUE(AskConfirm("Copy x ?\n", &copyFlag));
  EXPECT_EQ(copyFlag, 1);
  EXPECT_EQ(console.Output(), "Delete x ?\n" + AnswerLine + "Copy x ?\n" + AnswerLine);
}

TEST_F(ConfirmTest, AllAtTheGlobalPromptStopsEveryFurtherPrompt) {
  ConsoleSession console("All\nn\n");
  EXPECT_TRUE(AskConfirmGlobal("Set C:\\x ?\n"));
  EXPECT_EQ(YesToAll, 1);
  EXPECT_TRUE(AskConfirm("Delete C:\\y ?\n", &deleteFlag));
  EXPECT_TRUE(AskConfirmGlobal("Set C:\\z ?\n"));
  EXPECT_EQ(deleteFlag, 0);
  EXPECT_EQ(console.Output(), "Set C:\\x ?\n" + AnswerLine);
}

TEST_F(ConfirmTest, YesToAllAsksNothing) {
  YesToAll = 1;
  ConsoleSession console("n\n");
  EXPECT_TRUE(AskConfirm("Delete x ?\n", &deleteFlag));
  EXPECT_TRUE(AskConfirmGlobal("Set x ?\n"));
  EXPECT_EQ(console.Output(), "");
}

TEST_F(ConfirmTest, PromptIsShownAsItIs) {
  ConsoleSession console("n\n");
  EXPECT_FALSE(AskConfirm("Delete C:\\100%s%d% ?\n", &deleteFlag));
  EXPECT_EQ(console.Output(), "Delete C:\\100%s%d% ?\n" + AnswerLine);
}

}  // namespace
