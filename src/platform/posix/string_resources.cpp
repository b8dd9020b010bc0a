#include "platform/posix/layer.h"
#include "platform/string_resources.h"

// A test build may replace the table; the program's own is in src/resources/.
const char* FindStringResource(unsigned id) {
  for (const StringResource* r = ProgramStringTable; r->text; ++r) {
    if (r->id == id) return r->text;
  }
  return nullptr;
}
