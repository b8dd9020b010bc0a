// The file actions over a tree mapped as T:, with answers fed through a pipe:
// the take-over after a refusal, what each kind's A answers, the order of the
// levels MakeDir creates, and the replace prompt (the commands: e2e transcripts).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "actions/action_pattern.h"
#include "actions/attributes_times.h"
#include "actions/copy_replace.h"
#include "actions/delete_remove.h"
#include "actions/directories.h"
#include "output/value_text.h"
#include "platform/files_fixture.h"

namespace {

const std::string AnswerLine = "\aN=no/Y=yes/A=yes to all (Default:N) ";

class ActionsTest : public MappedTreeTest {
 protected:
  void SetUp() override {
    MappedTreeTest::SetUp();
    Stats = {};
    YesToAll = 0;
    ResetActionAnswers();
    ReadOutputConventions();
  }
  void TearDown() override {
    FlushOutput();
    if (savedIn_ >= 0) dup2(savedIn_, STDIN_FILENO), close(savedIn_);
    clearerr(stdin);
    MappedTreeTest::TearDown();
  }
  // Standard input reads `answers`; standard output and error are captured.
  void Answer(const std::string& answers) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], answers.data(), answers.size()), (ssize_t)answers.size());
    close(ends[1]);
    FlushOutput();
    savedIn_ = dup(STDIN_FILENO);
    dup2(ends[0], STDIN_FILENO);
    close(ends[0]);
    clearerr(stdin);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
  }
  std::string Output() {
    FlushOutput();
    return testing::internal::GetCapturedStdout();
  }
  std::string Errors() { return testing::internal::GetCapturedStderr(); }
  int savedIn_ = -1;
};

TEST_F(ActionsTest, RefusedOnceTheFileIsTakenOverAndDeletedAndAnAStopsOnlyItsOwnKind) {
  tree_.file("one", "12345");
  tree_.file("two", "123");
  Answer("a\ny\n");
  EXPECT_TRUE(DeleteOneFile("T:\\one", 5));
  ASSERT_TRUE(ArmSyscallFault({"unlink", 1, EACCES}));
  EXPECT_TRUE(DeleteOneFile("T:\\two", 3));  // not asked again; the take-over is
  EXPECT_EQ(Output(), "Delete T:\\one ?\n" + AnswerLine + "KELTRO-INFO, delete: T:\\one\n" +
                          "Remove protection from T:\\two ?\n" + AnswerLine +
                          "ASEC-INFO, took ownership of T:\\two\n" + "KELTRO-INFO, delete: T:\\two\n");
  EXPECT_EQ(Errors(), "");
  EXPECT_FALSE(fs::exists(tree_.path("one")) || fs::exists(tree_.path("two")));
  EXPECT_EQ(Stats.FilesDeleted, 2);
  EXPECT_EQ(Stats.BytesDeleted, 8.0);
  EXPECT_EQ(Stats.FilesTaken, 1);
  EXPECT_EQ(Stats.ErrorsDetected + Stats.ActionsSkipped, 0);
}

// A declined take-over is no skipped action: the delete fails once, counted
// once; a declined delete is skipped.
TEST_F(ActionsTest, DecliningTheTakeOverLeavesTheFileAndCountsOneError) {
  tree_.file("locked", "x");
  ASSERT_TRUE(SetFileAttributesA("T:\\locked", FILE_ATTRIBUTE_READONLY));
  Answer("y\nn\nn\n");
  EXPECT_FALSE(DeleteOneFile("T:\\locked", 1));
  EXPECT_FALSE(DeleteOneFile("T:\\locked", 1));
  EXPECT_EQ(Output(), "Delete T:\\locked ?\n" + AnswerLine + "Remove protection from T:\\locked ?\n" +
                          AnswerLine + "Delete T:\\locked ?\n" + AnswerLine);
  EXPECT_EQ(Errors(), "KELTRO-ERROR, cannot delete 'T:\\locked', error=5\n");
  EXPECT_EQ(GetFileAttributesA("T:\\locked") & FILE_ATTRIBUTE_READONLY, (DWORD)FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Stats.ErrorsDetected, 1);
  EXPECT_EQ(Stats.ActionsSkipped, 1);
  EXPECT_EQ(Stats.FilesTaken + Stats.FilesDeleted, 0);
}

TEST_F(ActionsTest, MakeDirCreatesTheOutermostMissingLevelFirst) {
  Answer("y\ny\ny\nn\n");
  EXPECT_TRUE(MakeDir("T:\\a\\b\\c"));
  EXPECT_FALSE(MakeDir("T:\\n\\o"));  // the declined outer level: the inner one fails silently
  EXPECT_EQ(Output(), "Create T:\\a ?\n" + AnswerLine + "KELTRO-INFO, created T:\\a\n" + "Create T:\\a\\b ?\n" +
                          AnswerLine + "KELTRO-INFO, created T:\\a\\b\n" + "Create T:\\a\\b\\c ?\n" + AnswerLine +
                          "KELTRO-INFO, created T:\\a\\b\\c\n" + "Create T:\\n ?\n" + AnswerLine);
  // A missing parent's parent is reported (not counted); a missing parent is not.
  EXPECT_EQ(Errors(), "KELTRO-ERROR, DirExists(T:\\a\\b) failed, error=3\n");
  EXPECT_TRUE(fs::is_directory(tree_.path("a/b/c")));
  EXPECT_FALSE(fs::exists(tree_.path("n")));
  EXPECT_EQ(Stats.DirectoriesCreated, 3);
  EXPECT_EQ(Stats.ActionsSkipped, 1);
  EXPECT_EQ(Stats.ErrorsDetected, 0);
  EXPECT_EQ(DirExists("T:\\a\\b\\c"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
}

// The target comes first in the prompt; a replace counts the source's size
// as copied and as deleted.
TEST_F(ActionsTest, ReplacePromptShowsTheTargetThenTheSource) {
  tree_.file("new", std::string(1000, 'n'));
  tree_.file("old", std::string(900, 'o'));
  FILETIME sourceTime = FileTimeOf(132223104000000000ull);  // 2020-01-01 00:00
  FILETIME targetTime = FileTimeOf(131327631000000000ull);  // 2017-02-28 13:45
  Answer("n\ny\n");
  EXPECT_FALSE(ReplaceExisting("T:\\new", 1000, sourceTime, "T:\\old", 900, targetTime));
  EXPECT_TRUE(ReplaceExisting("T:\\new", 1000, sourceTime, "T:\\old", 900, targetTime));
  std::string prompt = "Replace\n\tT:\\old\n\t900 Bytes\n\t28.02.2017 13:45\nwith\n\tT:\\new\n\t1,000 Bytes\n"
                       "\t01.01.2020 00:00\n";
  EXPECT_EQ(Output(), prompt + AnswerLine + prompt + AnswerLine + "KELTRO-INFO, replace: T:\\old\n");
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(fs::file_size(tree_.path("old")), 1000u);
  EXPECT_EQ(Stats.ActionsSkipped, 1);
  EXPECT_EQ(Stats.FilesReplaced, 1);
  EXPECT_EQ(Stats.BytesCopied, 1000.0);
  EXPECT_EQ(Stats.BytesDeleted, 1000.0);
}

TEST(ApplyAttribText, LettersSetDotsClearAnythingElseLeaves) {
  EXPECT_EQ(ApplyAttribText(0x20, "R???"), 0x21u);
  EXPECT_EQ(ApplyAttribText(0x20, "R..."), 0x01u);
  EXPECT_EQ(ApplyAttribText(0x21, ".???"), 0x20u);
  EXPECT_EQ(ApplyAttribText(0x27, "??."), 0x23u);
  EXPECT_EQ(ApplyAttribText(0x20, "rhsa"), 0x20u);  // lower case leaves
  EXPECT_EQ(ApplyAttribText(0x27, ".."), 0x24u);    // two characters: R and H only
  EXPECT_EQ(ApplyAttribText(0x00, "RHSAxR"), 0x27u);  // past the fourth: ignored
}

}  // namespace
