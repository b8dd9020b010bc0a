// Copying a file into a target directory, and replacing a target file.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// "Copy <source> to <targetDirectory> ?", then CopyFileA failing when the
// target exists; one retry after RemoveProtection on the target directory.
// Counts "files copied" and `size` in "bytes copied".
bool CopyNew(const char* source, uint32_t size, const char* targetDirectory, const char* targetFile);

// The replace prompt (target first, then source), then CopyFileA over the
// target; one retry after RemoveProtection on the target file. Times are
// last-write times in local time. Counts "files replaced" and the source
// size in both "bytes copied" and "bytes deleted".
bool ReplaceExisting(const char* source, uint32_t sourceSize, FILETIME sourceTime, const char* targetFile,
                     uint32_t targetSize, FILETIME targetTime);
