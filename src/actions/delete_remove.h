// Deleting one file and removing one empty directory.
#pragma once

#include <cstdint>

// "Delete <path> ?", DeleteFileA, one retry after RemoveProtection on access
// denied. Counts "files deleted" and `size` in "bytes deleted".
bool DeleteOneFile(const char* path, uint32_t size);

// "Remove <path> ?", RemoveDirectoryA, one retry after RemoveProtection on
// access denied. Counts "directories removed".
bool RemoveDir(const char* path);
