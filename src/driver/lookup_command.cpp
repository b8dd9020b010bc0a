#include "driver/entry.h"

#include <cstring>

#include "base/ascii_case.h"

namespace {

struct CommandWordRow {
  const char* word;
  CommandCode code;
};

const CommandWordRow CommandWords[] = {
    {"DEL", CMD_DEL}, {"SET", CMD_SET}, {"UPD", CMD_UPD}, {"VER", CMD_VER},
    {"COP", CMD_COP}, {"MIR", CMD_MIR}, {"SHO", CMD_SHO}, {"HEL", CMD_HEL},
};

bool SameFirstThree(const char* word, const char* command) {
  for (int i = 0; i < 3; ++i) {
    if (UpperAscii(word[i]) != command[i]) return false;  // a NUL never matches
  }
  return true;
}

}  // namespace

CommandCode LookupCommand(const char* word, CommandCode defaultCode) {
  if (!word || !*word) return defaultCode;
  for (const CommandWordRow& row : CommandWords) {
    if (SameFirstThree(word, row.word)) return row.code;
  }
  return CMD_INVALID;
}
