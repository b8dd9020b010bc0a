// What a run derives from its parameters: worked out once, after parsing, by
// WorkOutRunValues, and read by the walk for every entry. Tests that set
// parameters by hand call WorkOutRunValues after them.
#pragma once

#include "base/param_table.h"

struct RunValues {
  // Whether anything in the run reads an entry's times: a command other than
  // sho, a time criterion, or a ~F format with a '~' before M, L or C.
  // Converting them to local time is a good part of the cost of an entry.
  bool TimesNeeded;
  // The first row of CriteriaTable with each letter; null where there is none.
  ParamDescriptor* CriterionRows[256];
};

extern RunValues Run;

// Fills Run, and decides NeedOwner and NeedSecurity from the options,
// criteria and formats.
void WorkOutRunValues(void);
