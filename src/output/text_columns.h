// Characters of ANSI text as the console shows them. In the UTF-8 code page a
// character is one UTF-8 sequence (a byte that begins none stands alone) and
// takes the columns the console gives it: two for a wide East Asian
// character, none for a combining mark, else one. In a single-byte code page
// every byte is one character of one column.
#pragma once

#include <cstddef>

// Whether the ANSI code page is UTF-8.
bool AnsiIsUtf8(void);

// Bytes of the character text begins with: 1 to 4, never more than
// remaining (at least 1); a NUL ends a sequence.
size_t CharLength(const char* text, size_t remaining, bool utf8);

// Columns of the one character of `length` bytes at text.
int CharColumns(const char* text, size_t length, bool utf8);

// Bytes of the first character of NUL-terminated text in the ANSI code page,
// for messages that quote one character whole ("%.*s").
int FirstCharLength(const char* text);
