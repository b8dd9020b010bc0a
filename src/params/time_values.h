// Absolute and relative time values typed by the user.
#pragma once

#include "base/time_value.h"

// Both return 1 on success (target written) and 0 on failure, after printing
// their own message (no module prefix) to standard error.
int ParseAbsTime(const char* text, TimeValue* target);
int ParseDeltaTime(const char* text, TimeValue* target);
