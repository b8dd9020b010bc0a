// Prompts are converted to the OEM code page, from a copy: asking twice
// with the same text converts it once each time, /A or not. Listing lines
// are in output_codepage.t.
#include <gtest/gtest.h>

#include <string>

#include "driver/settings.h"
#include "output/console.h"
#include "output/console_redirect.h"
#include "platform/posix/nls_codepage.h"

namespace {

TEST(ConsoleCodePageTest, PromptsAreConvertedExactlyOnceEvenWithAnsiOutput) {
  SelectNlsCodeset("ISO-8859-1");  // ANSI 1252, OEM 850
  AnsiOutput = 1;
  YesToAll = 0;
  char prompt[] = "Delete C:\\M\xe4rz ?\n";
  int32_t deleteFlag = 0;
  std::string output;
  {
    ConsoleSession console("n\nn\n");
    EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
    EXPECT_FALSE(AskConfirm(prompt, &deleteFlag));
    output = console.Output();
  }
  SelectNlsCodeset(nullptr);
  AnsiOutput = 0;
  EXPECT_STREQ(prompt, "Delete C:\\M\xe4rz ?\n");
  std::string shown = "Delete C:\\M\x84rz ?\n" + AnswerLine;
  EXPECT_EQ(output, shown + shown);
}

}  // namespace
