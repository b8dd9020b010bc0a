// The format engine: expands ~ placeholders from a table of typed values.
#pragma once

#include <cstdint>

enum PlaceholderKind : int16_t {
  PK_END = 0,       // ends a table
  PK_NUMBER = 1,    // int32_t
  PK_TEXT = 4,      // NUL-terminated ANSI text (const char*)
  PK_WTEXT = 5,     // NUL-terminated UTF-16 text (const WCHAR*)
  PK_FILETIME = 6,  // uint64_t file time (local), 0 or all bits set: see the engine
  PK_DOUBLE = 9,    // double
};

// One binding of a placeholder letter. `value` points at the value, which is
// read at the moment of expansion, so a table can be filled in place.
struct PlaceholderEntry {
  int16_t kind;
  char letter;
  const void* value;
};

// Expands `format` (or the content of the format file it names) into `output`,
// writing at most capacity - 1 characters and always a terminator.
void FormatOutput(const char* format, char* output, const PlaceholderEntry* table, int capacity);
