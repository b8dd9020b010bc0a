// The program's entry and the steps it runs, top to bottom.
#pragma once

#include "base/settings.h"

// The whole run; returns the exit code.
int RunKeltro(void);

// Command word to code: the first three characters, any case. An empty or
// missing word gives defaultCode; an unknown one CMD_INVALID.
CommandCode LookupCommand(const char* word, CommandCode defaultCode);

// Cuts the source specification into its parts, its directory and its
// PatternList. False (message printed) when it cannot be cut.
bool PrepareSourceSpec(void);

// The checks between command, paths and options; false (message printed)
// when the run must stop with exit code 87.
bool CheckCommandLine(void);

// Makes TargetPath absolute and ending in a backslash; false when it does not fit.
bool MakeTargetAbsolute(void);

// True when TargetPath (absolute) is a source directory of the run or lies
// inside one, compared by file identity.
bool TargetLiesInsideSource(void);

// Prints the KELTRO-STATISTICS lines of CurrentCommand (and /v).
void PrintStatistics(void);

// The per-owner and totals lines of sho.
void PrintOwnerLines(void);
void PrintTotalsLine(void);
