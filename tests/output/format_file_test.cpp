#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/settings.h"
#include "output/format_output.h"
#include "output/value_text.h"
#include "platform/posix/layer_state.h"
#include "support/temp_tree.h"

namespace {

class FormatFileTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("KELTRO_DRIVES", ("T=" + tree.root()).c_str(), 1);
    ResetLayerState();
    ReadOutputConventions();
  }
  void TearDown() override {
    unsetenv("KELTRO_DRIVES");
    ResetLayerState();
  }
  std::string Expand(const char* format) {
    char output[LineCapacity];
    FormatOutput(format, output, table, LineCapacity);
    return output;
  }

  TempTree tree;
  int32_t size = 1234;
  char name[16] = "report.doc";
  PlaceholderEntry table[3] = {{PK_NUMBER, 's', &size}, {PK_TEXT, 'N', name}, {PK_END, 0, nullptr}};
};

TEST_F(FormatFileTest, AFormatFileIsExpandedWithItsLineBreaksAsTheyAre) {
  tree.file("fmt.txt", "~N\r\n  size=~8s\r\n");
  EXPECT_EQ(Expand("T:\\fmt.txt"), "report.doc\r\n  size=   1,234\r\n");
}

TEST_F(FormatFileTest, TheFileIsReadAgainAtEachExpansion) {
  tree.file("fmt.txt", "first ~N");
  EXPECT_EQ(Expand("T:\\fmt.txt"), "first report.doc");
  tree.file("fmt.txt", "second ~s");
  EXPECT_EQ(Expand("T:\\fmt.txt"), "second 1,234");
}

TEST_F(FormatFileTest, OnlyTheFirst2047BytesOfAFileCount) {
  tree.file("long.txt", std::string(2047, 'x') + "~N");
  EXPECT_EQ(Expand("T:\\long.txt"), std::string(2047, 'x'));
  tree.file("short.txt", std::string(2040, 'x') + "~-10N|");
  EXPECT_EQ(Expand("T:\\short.txt"), std::string(2040, 'x') + "report.");
}

TEST_F(FormatFileTest, AFormatNamingNoReadableFileIsTheFormatItself) {
  EXPECT_EQ(Expand("T:\\missing.txt ~N"), "T:\\missing.txt report.doc");
  tree.dir("adir");
  EXPECT_EQ(Expand("T:\\adir"), "T:\\adir");
}

}  // namespace
