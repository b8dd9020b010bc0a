// The command-line parser, driven by the descriptor tables.
#pragma once

#include "base/param_table.h"

// Parses the process command line. Returns 0, the number of the faulty
// argument, the position of a missing mandatory descriptor, or -1 for a
// datatype that a table does not accept. Any table may be null.
int ParseCommandLine(ParamDescriptor* positional, ParamDescriptor* options,
                     ParamDescriptor* criteria, ParamDescriptor* formats);

// The same over a given command line (written into: terminators, quotes);
// its first word is the program name and is skipped.
int ParseCommandLineText(char* line, ParamDescriptor* positional, ParamDescriptor* options,
                         ParamDescriptor* criteria, ParamDescriptor* formats);

// Splits a command line in place by keltro's quoting rules into at most
// maxWords words; returns the number of words, or maxWords + 1 when more
// words were present (the excess is left unsplit).
int SplitCommandLine(char* line, char** words, int maxWords);
