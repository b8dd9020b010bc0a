// Code pages of the layer: which ANSI/OEM pair is in force, the two 8-bit
// tables (1252 and 850) and the UTF-8 coding. Internal to src/platform/posix/.
#pragma once

#include <cstddef>

#include "platform/win32.h"

struct CodePagePair {
  UINT Ansi;
  UINT Oem;
};

// The pair a codeset name (as nl_langinfo(CODESET) spells it) selects:
// UTF-8, and the C/POSIX codeset ASCII, give UTF-8 for both; every other
// codeset is taken for a Western 8-bit one and gives 1252 and 850.
CodePagePair CodePagesForCodeset(const char* codeset);

// The pair in force: the user locale's, read once into Layer.codePages.
CodePagePair CurrentCodePages();

// CP_ACP and CP_OEMCP resolved to the pair in force; other pages unchanged.
UINT ResolveCodePage(UINT codePage);

// True for the 8-bit pages the layer has tables for (1252, 850).
bool IsTableCodePage(UINT codePage);
// The code point of one byte of an 8-bit page.
char32_t TableByteToUnicode(UINT codePage, unsigned char byte);
// The byte for a code point in an 8-bit page, or the nearest look-alike
// (curly quotes to straight ones and the like); false when there is none.
bool UnicodeToTableByte(UINT codePage, char32_t codePoint, unsigned char* byte);
// Upper case of one 1252 byte (the byte itself when it has none).
unsigned char UpperCase1252(unsigned char byte);

// UTF-8. DecodeUtf8 reads one code point from the `available` (>= 1) bytes at
// `text` and sets *length to the bytes taken; an ill-formed sequence gives
// InvalidCodePoint and the length of its longest well-formed prefix (at least 1).
constexpr char32_t InvalidCodePoint = 0xFFFFFFFF;
char32_t DecodeUtf8(const unsigned char* text, size_t available, size_t* length);
// Writes the UTF-8 form of a code point (not a surrogate) and returns its length.
size_t EncodeUtf8(char32_t codePoint, unsigned char out[4]);
