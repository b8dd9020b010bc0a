#include <gtest/gtest.h>

#include <string>

#include "driver/settings.h"
#include "output/console.h"
#include "output/console_redirect.h"
#include "platform/posix/nls_codepage.h"

namespace {

class ConsoleCodePageTest : public testing::Test {
 protected:
  void SetUp() override {
    SelectNlsCodeset("ISO-8859-1");  // ANSI 1252, OEM 850
    AnsiOutput = 0;
    YesToAll = 0;
  }
  void TearDown() override {
    SelectNlsCodeset(nullptr);
    AnsiOutput = 0;
  }
  char name[16] = "M\xe4rz.txt";  // März.txt in 1252
  PlaceholderEntry table[2] = {{PK_TEXT, 'N', name}, {PK_END, 0, nullptr}};
};

TEST_F(ConsoleCodePageTest, ConvertsTextInPlaceFromAnsiToOem) {
  char text[] = "\xe4\xf6\xfc\xc4 ok";
  ToConsoleCodePage(text);
  EXPECT_STREQ(text, "\x84\x94\x81\x8e ok");
}

TEST_F(ConsoleCodePageTest, ListingLinesAreOemUnlessAnsiOutputIsGiven) {
  ConsoleSession console("");
  PrintListingLine("~N", table);
  AnsiOutput = 1;
  PrintListingLine("~N", table);
  EXPECT_EQ(console.Output(), "M\x84rz.txt\nM\xe4rz.txt\n");
}

TEST_F(ConsoleCodePageTest, PromptsAreConvertedExactlyOnceEvenWithAnsiOutput) {
  AnsiOutput = 1;
  char prompt[] = "Delete C:\\M\xe4rz ?\n";
  int32_t deleteFlag = 0;
  ConsoleSession console("n\nn\n");
  EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
  EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
  EXPECT_STREQ(prompt, "Delete C:\\M\xe4rz ?\n");
  std::string shown = "Delete C:\\M\x84rz ?\n" + AnswerLine;
  EXPECT_EQ(console.Output(), shown + shown);
}

}  // namespace
