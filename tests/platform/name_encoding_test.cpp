// The private-use stand-ins: every character a Win32 name cannot hold, in
// the middle and at the end of a name, goes to its own stand-in and back.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/name_encoding.h"
#include "platform/posix/nls_codepage.h"
#include "support/use_codeset.h"

namespace {

class NameEncodingTest : public testing::Test {
 protected:
  void TearDown() override { ResetLayerState(); }
};

std::string Shown(const std::string& name) {
  std::string shown;
  return ShownName(name.c_str(), shown);
}

TEST_F(NameEncodingTest, EveryAsciiByteGoesAndComesBack) {
  UseCodeset("UTF-8");
  for (int byte = 1; byte < 0x80; ++byte) {
    for (const std::string& name : {std::string("a") + (char)byte + "b", std::string("a") + (char)byte}) {
      std::string shown = Shown(name);
      EXPECT_EQ(shown.find_first_of("\"*:<>?\\|"), std::string::npos) << byte;
      EXPECT_TRUE(shown.back() != '.' && shown.back() != ' ' && (unsigned char)shown[1] >= 0x20) << byte;
      EXPECT_EQ(PosixName(shown), name) << byte;
    }
  }
  EXPECT_EQ(Shown("\x1f|"), "\xef\x80\x9f\xef\x80\xa7");
  EXPECT_EQ(Shown("\"<. ."), "\xef\x80\xa0\xef\x80\xa3. \xef\x80\xa9");
  EXPECT_EQ(PosixName("\xef\x80\xa9"), "\xef\x80\xa9");  // never `.` or `..`
  EXPECT_EQ(PosixName(".\xef\x80\xa9"), ".\xef\x80\xa9");
}

TEST_F(NameEncodingTest, AnEightBitPageShowsQuestionMarks) {
  UseCodeset("ISO-8859-1");
  EXPECT_EQ(Shown("a:b\n."), "a?b??");
  EXPECT_EQ(PosixName("\xef\x80\xa5"), "\xef\x80\xa5");
}

}  // namespace
