// WorkOutRunValues: the procedure that fills Run (base/run_values.h).
#pragma once

#include "base/run_values.h"

// Fills Run, and decides NeedOwner and NeedSecurity from the options,
// criteria and formats.
void WorkOutRunValues(void);
