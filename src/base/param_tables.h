// The four tables that describe keltro's command line.
#pragma once

#include "base/param_table.h"

extern ParamDescriptor ParameterTable[];
extern ParamDescriptor OptionTable[];
extern ParamDescriptor CriteriaTable[];
extern ParamDescriptor FormatTable[];

// Resets every row to its unparsed state (the tables are filled before parsing).
void FillParamTables(void);

// The row of a criteria letter (the table's end when there is none).
const ParamDescriptor* FindCriterion(char letter);
