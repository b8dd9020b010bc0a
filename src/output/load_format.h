// A format given as text or as the name of a file holding it.
#pragma once

#include "base/settings.h"

// Returns 1 when `format` named a readable file and output holds its first
// LineCapacity - 1 bytes; 0 when output holds a copy of the format text.
int LoadFormat(const char* format, char (&output)[LineCapacity]);

// The format's text as LoadFormat gives it: output, filled from the file the
// format names, or else the format itself (not copied, so not cut).
const char* LoadedFormat(const char* format, char (&output)[LineCapacity]);
