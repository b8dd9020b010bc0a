// Removing the protection of one file or directory, the take-over every
// other action runs once after the system refused it with access denied.
#pragma once

// Asks "Remove protection from <path> ?" (unless /y or its own yes to all),
// then sets the attributes to normal and takes the object over. Counts
// "files taken" on success; on failure prints its error and counts it.
bool RemoveProtection(const char* path);
