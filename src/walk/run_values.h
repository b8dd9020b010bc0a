// What a run derives from its parameters: worked out once, after parsing, by
// WorkOutRunValues, and read by the walk for every entry. Tests that set
// parameters by hand call WorkOutRunValues after them.
#pragma once

#include "base/param_table.h"

constexpr char RunTimeLetters[] = "MLC";

struct RunValues {
  // Which of an entry's times (M, L, C, in RunTimeLetters' order) anything
  // in the run reads: a command other than sho, a criterion of that letter,
  // or a ~F format with a '~' before it. Converting a time to local time is
  // a good part of the cost of an entry.
  bool TimeNeeded[sizeof RunTimeLetters - 1];
  // The first row of CriteriaTable with each letter; null where there is none.
  ParamDescriptor* CriterionRows[256];
};

extern RunValues Run;

// Fills Run, and decides NeedOwner and NeedSecurity from the options,
// criteria and formats.
void WorkOutRunValues(void);
