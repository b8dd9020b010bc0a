// Lists of numbers and lo:hi ranges, such as the size criterion "10:20,50".
#pragma once

#include <cstdint>

// A number as atol reads it with a 32-bit long: white space, an optional
// sign, then digits up to the first other character; a value past the range
// is held at INT32_MAX or INT32_MIN.
int32_t ReadLong(const char* text);

// True when every character is a digit, ',', ':' or '-' (an empty text too).
bool IsRangeSyntax(const char* text);

// True when list (missing or empty: every number) contains n.
bool InRangeList(const char* list, int32_t n);
