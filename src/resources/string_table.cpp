// The string table of the POSIX build (on Windows, keltro.rc binds strings.inc).
#include "platform/string_resources.h"

#define KELTRO_STRING(id, text) {id, text},
const StringResource ProgramStringTable[] = {
#include "resources/strings.inc"
    {0, nullptr},
};
#undef KELTRO_STRING
