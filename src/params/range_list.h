// Lists of numbers and lo:hi ranges, such as the size criterion "10:20,50".
#pragma once

#include <cstdint>

// True when every character is a digit, ',', ':' or '-' (an empty text too).
bool IsRangeSyntax(const char* text);

// True when list (missing or empty: every number) contains n.
bool InRangeList(const char* list, int32_t n);
