// The criteria test of one entry: each value of the entry against the
// criterion of the same letter.
#pragma once

#include "output/format_output.h"
#include "base/param_table.h"

// Upper time bound put in place of an untyped one (both 32-bit halves
// 0x0FFFFFFF, a moment in the year 5254), so that it excludes nothing.
constexpr uint64_t OpenUpperTimeBound = 0x0FFFFFFF0FFFFFFFull;

// True when every value of `values` meets the criterion with its letter in
// CriteriaTable (through Run.CriterionRows). An untyped upper time bound is
// replaced in the table by OpenUpperTimeBound.
bool EntryMatchesCriteria(const PlaceholderEntry* values);
