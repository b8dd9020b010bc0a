// The format engine: expands ~ placeholders from a table of typed values.
#pragma once

#include <cstdint>

enum PlaceholderKind : int16_t {
  PK_END = 0,       // ends a table
  PK_NUMBER = 1,    // int32_t
  PK_TEXT = 4,      // NUL-terminated ANSI text; value is the text itself
  PK_WTEXT = 5,     // NUL-terminated UTF-16 text; value is the text itself, shown by low bytes
  PK_FILETIME = 6,  // uint64_t local file time; "never" when its year is over 99 from this one (0 too)
  PK_DOUBLE = 9,    // double, rounded to a whole number
};

// One binding of a placeholder letter. `value` points at the value, which is
// read at the moment of expansion, so a table can be filled in place.
struct PlaceholderEntry {
  int16_t kind;
  char letter;
  const void* value;
};

// Expands `format` (or the content of the format file it names) into `output`,
// writing at most capacity - 1 characters and always a terminator. A
// placeholder is ~[-][.][!][0][width]letter: left-justify, cut at the width
// marking the cut with dots, cut without marks, pad with zeros; the width is
// at most 255. Numbers are grouped by the locale's thousands separator. An
// unknown letter prints nothing; ~~ prints one ~. Returns the length written.
// Each format text is parsed once and its parsed form kept for the lines after.
int FormatOutput(const char* format, char* output, const PlaceholderEntry* table, int capacity);

// True when the loaded format `format` holds a placeholder of `letter`, read
// as FormatOutput reads it ("~-20o" does, "~~o" and "o~y" do not).
bool FormatMentions(const char* format, char letter);
