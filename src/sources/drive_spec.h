// Local drives of a source specification: a letter, "*:" or a class word.
#pragma once

// Walks every drive that drivePart selects (the current drive when empty),
// expanding directoryPart and walking with filePatterns. Returns 1 when at
// least one drive was walked, 0 otherwise.
int ExpandDriveSpec(const char* drivePart, const char* directoryPart, const char* filePatterns);
