// The program's string table, as the resource compiler would bind it on Windows:
// declared by the layer, defined by the program, read through LoadStringA.
#pragma once

struct StringResource {
  unsigned id;
  const char* text;
};

// Defined by the program (src/resources/); ends with an entry whose text is null.
extern const StringResource ProgramStringTable[];
