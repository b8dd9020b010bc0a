// Copying a file into a target directory, and replacing a target file.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// "Copy <source> to <targetDirectory> ?", then CopyFileA failing when the
// target exists; one retry after RemoveProtection on the target directory.
// Counts "files copied" and `size` in "bytes copied". firstError, when not
// 0, is the failure of a first try CopyUnasked has made: it stands for the
// first try here.
bool CopyNew(const char* source, uint32_t size, const char* targetDirectory, const char* targetFile,
             DWORD firstError = 0);

// CopyNew's first try, made before the target is looked up where CopyNew
// would not ask (a copy into a new directory then costs no lookup): true
// when done, reported and counted as CopyNew does; else false, with nothing
// said or counted and GetLastError telling the failure (80 when the target
// is there).
bool CopyUnasked(const char* source, uint32_t size, const char* targetDirectory, const char* targetFile);

// The replace prompt (target first, then source), then CopyFileA over the
// target; one retry after RemoveProtection on the target file. Times are
// last-write times in local time. Counts "files replaced" and the source
// size in both "bytes copied" and "bytes deleted".
bool ReplaceExisting(const char* source, uint32_t sourceSize, FILETIME sourceTime, const char* targetFile,
                     uint32_t targetSize, FILETIME targetTime);
