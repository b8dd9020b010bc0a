// Code pages: the choice by codeset, conversions, upper-casing and the OEM
// form of console text, under UTF-8 and under a Western 8-bit codeset.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/posix/nls_codepage.h"
#include "platform/win32.h"
#include "support/use_codeset.h"

namespace {

class CodePageTest : public testing::Test {
 protected:
  void TearDown() override { ResetLayerState(); }
};

std::u16string ToWide(UINT codePage, const std::string& text, DWORD flags = 0) {
  int needed = MultiByteToWideChar(codePage, flags, text.data(), (int)text.size(), nullptr, 0);
  std::u16string wide(needed, u'\0');
  int written = MultiByteToWideChar(codePage, flags, text.data(), (int)text.size(), wide.data(), needed);
  EXPECT_EQ(written, needed);
  return wide;
}

std::string ToNarrow(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr,
                     const char* defaultChar = nullptr) {
  int needed = WideCharToMultiByte(codePage, 0, wide.data(), (int)wide.size(), nullptr, 0, defaultChar, usedDefault);
  std::string text(needed, '\0');
  int written = WideCharToMultiByte(codePage, 0, wide.data(), (int)wide.size(), text.data(), needed,
                                    defaultChar, usedDefault);
  EXPECT_EQ(written, needed);
  return text;
}

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

std::string ToOem(const std::string& text) {
  std::string oem(text.size(), '\0');
  EXPECT_TRUE(CharToOemBuffA(text.data(), oem.data(), (DWORD)text.size()));
  return oem;
}

TEST_F(CodePageTest, CodesetSelectsThePair) {
  for (const char* codeset : {"UTF-8", "utf8", "ANSI_X3.4-1968", ""}) {
    CodePagePair pair = CodePagesForCodeset(codeset);
    EXPECT_EQ(pair.Ansi, (UINT)CP_UTF8) << codeset;
    EXPECT_EQ(pair.Oem, (UINT)CP_UTF8) << codeset;
  }
  for (const char* codeset : {"ISO-8859-1", "ISO-8859-15", "CP1252", "iso88591"}) {
    CodePagePair pair = CodePagesForCodeset(codeset);
    EXPECT_EQ(pair.Ansi, 1252u) << codeset;
    EXPECT_EQ(pair.Oem, 850u) << codeset;
  }
  UseCodeset("ISO-8859-15");
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(CurrentCodePages().Oem, 850u);
  UseCodeset("UTF-8");
  EXPECT_EQ(GetACP(), (UINT)CP_UTF8);
}

TEST_F(CodePageTest, Utf8ToUtf16CountsAndConverts) {
  UseCodeset("UTF-8");
  const char* text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, a-umlaut, euro, an emoji
  WCHAR wide[8];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 6);
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8), 6);
  EXPECT_EQ(std::u16string(wide), (std::u16string{u'a', 0xE4, 0x20AC, 0xD83D, 0xDE00}));

  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 5), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(ToNarrow(CP_UTF8, std::u16string(u"a\u00E4\u20AC\U0001F600")), std::string(text));
}

TEST_F(CodePageTest, IllFormedUtf8BecomesReplacementOrFails) {
  const char16_t fffd = 0xFFFD;
  EXPECT_EQ(ToWide(CP_UTF8, "\xE2\x82" "A"), (std::u16string{fffd, u'A'}));       // cut short
  EXPECT_EQ(ToWide(CP_UTF8, "\xC0\xAF"), (std::u16string{fffd, fffd}));         // overlong
  EXPECT_EQ(ToWide(CP_UTF8, "\xED\xA0\x80"), (std::u16string{fffd, fffd, fffd}));  // surrogate
  EXPECT_EQ(ToWide(CP_UTF8, "\xF4\x90\x80\x80").front(), fffd);                  // above U+10FFFF

  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "ok\xFF", 3, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_UNICODE_TRANSLATION);

  // An unpaired surrogate written out as UTF-8.
  EXPECT_EQ(ToNarrow(CP_UTF8, std::u16string{u'x', (char16_t)0xD800, u'y'}), "x\xEF\xBF\xBDy");
}

TEST_F(CodePageTest, BadArgumentsAreRefused) {
  WCHAR wide[4];
  char narrow[4];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(437, 0, "a", 1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 4), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, narrow, -2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(CodePageTest, Western8BitTablesConvert) {
  UseCodeset("ISO-8859-1");
  EXPECT_EQ(ToWide(CP_ACP, "\xE4\x80\x93"), (std::u16string{0xE4, 0x20AC, 0x201C}));
  EXPECT_EQ(ToWide(CP_OEMCP, "\x84\xB0\xE1"), (std::u16string{0xE4, 0x2591, 0xDF}));
  EXPECT_EQ(ToNarrow(CP_ACP, u"\u00E4\u20AC"), "\xE4\x80");
  EXPECT_EQ(ToNarrow(CP_OEMCP, u"\u00E4\u00DF"), "\x84\xE1");

  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToNarrow(CP_ACP, u"\u00E4", &usedDefault), "\xE4");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(ToNarrow(CP_ACP, u"a\u0142b", &usedDefault), "a?b");  // l with stroke: not in 1252
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(ToNarrow(CP_ACP, u"\u0142", nullptr, "#"), "#");
  // Every byte of 1252 comes back as itself.
  for (int byte = 1; byte < 256; ++byte) {
    std::string one(1, (char)byte);
    EXPECT_EQ(ToNarrow(CP_ACP, ToWide(CP_ACP, one)), one) << byte;
  }
}

TEST_F(CodePageTest, ConsoleTextGoesFrom1252To850) {
  UseCodeset("ISO-8859-1");
  EXPECT_EQ(ToOem("\xE4"), "\x84");
  EXPECT_EQ(ToOem("Gr\xFC\xDF" "e \xC4\xD6\xDC"), "Gr\x81\xE1" "e \x8E\x99\x9A");
  EXPECT_EQ(ToOem("\x93x\x94 \x96"), "\"x\" -");  // curly quotes and dash: look-alikes
  EXPECT_EQ(ToOem("\x80"), "?");                   // the euro sign has no place in 850
  std::string inPlace = "\xE9t\xE9";
  CharToOemBuffA(inPlace.data(), inPlace.data(), (DWORD)inPlace.size());
  EXPECT_EQ(inPlace, "\x82t\x82");
}

TEST_F(CodePageTest, ConsoleTextUnderUtf8IsCopied) {
  UseCodeset("UTF-8");
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";
  EXPECT_EQ(ToOem(text), text);
}

TEST_F(CodePageTest, UpperCaseUnder1252) {
  UseCodeset("CP1252");
  EXPECT_EQ(Upper("abc\xE4\xF6\xFC\xE9"), "ABC\xC4\xD6\xDC\xC9");
  EXPECT_EQ(Upper("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
  EXPECT_EQ(Upper("\xDF\xF7\xB5"), "\xDF\xF7\xB5");  // sharp s, division sign, micro: unchanged
}

TEST_F(CodePageTest, UpperCaseUnderUtf8FoldsCodePoints) {
  UseCodeset("UTF-8");
  EXPECT_EQ(Upper("stra\xC3\x9F" "e \xC3\xA4\xC3\xB6\xC3\xBC"), "STRA\xC3\x9F" "E \xC3\x84\xC3\x96\xC3\x9C");
  EXPECT_EQ(Upper("\xD0\xBF\xD1\x80\xD0\xB8"), "\xD0\x9F\xD0\xA0\xD0\x98");  // Cyrillic
  EXPECT_EQ(Upper("\xCE\xB1\xCE\xB2"), "\xCE\x91\xCE\x92");                  // Greek
  // Dotless i would shrink to one byte: it stays, so the length never changes.
  EXPECT_EQ(Upper("\xC4\xB1x"), "\xC4\xB1X");
  EXPECT_EQ(Upper("a\xFF" "b\xC3"), "A\xFF" "B\xC3");  // ill-formed bytes stay
}

TEST_F(CodePageTest, UpperCaseOfOneCharacter) {
  UseCodeset("CP1252");
  EXPECT_EQ((uintptr_t)CharUpperA((LPSTR)(uintptr_t)'q'), (uintptr_t)'Q');
  EXPECT_EQ((uintptr_t)CharUpperA((LPSTR)(uintptr_t)0xE4), (uintptr_t)0xC4);
}

}  // namespace
