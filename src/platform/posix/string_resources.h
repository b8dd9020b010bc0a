// The program's string table, as the resource compiler would bind it on Windows.
#pragma once

struct StringResource {
  unsigned id;
  const char* text;
};

// Defined by the program (src/resources/); ends with an entry whose text is null.
extern const StringResource ProgramStringTable[];

// The text of a string resource, or null when the table lacks it.
const char* FindStringResource(unsigned id);
