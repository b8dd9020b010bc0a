// The directory walker: lists one root directory, descends with /S, and hands
// every entry that matches the patterns and the criteria to the command.
#pragma once

#include <cstdint>

extern int32_t WalkDepth;  // levels below the root; 0 on the root call

// Walks `directory` of the drive or share `location` (server with its leading
// backslashes, or empty for a local drive). The caller empties CurrentDirPath
// before a root; the walker composes it on the root call. Returns 1 when the
// directory was walked to its end, 0 when it could not be walked.
int WalkDirectory(const char* domain, const char* server, const char* location,
                  const char* directory, const char* patterns);
