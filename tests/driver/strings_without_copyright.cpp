// A string table that lacks the copyright line, to check that the version
// display refuses to run on an incomplete build.
#include "platform/string_resources.h"

const StringResource ProgramStringTable[] = {
    {1, "@Fkeltro"}, {2, "V1.0"}, {3, "@B0345"}, {6, "usage"}, {0, nullptr},
};
