// Local drives of a source specification: a letter, "*:" or a class word.
#pragma once

#include "platform/win32.h"

// The drives among `drives` (bit 0 is A:) that the class word ("*:", "CD:",
// "DISK*:" ...) takes; 0 for a word that is no class.
DWORD DrivesOfClass(const char* word, DWORD drives);

// Walks every drive that drivePart selects (the current drive when empty),
// expanding directoryPart and walking with filePatterns. Returns 1 when at
// least one drive was walked, 0 otherwise.
int ExpandDriveSpec(const char* drivePart, const char* directoryPart, const char* filePatterns);
