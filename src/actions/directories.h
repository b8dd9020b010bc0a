// Creating a directory with its missing parents, and testing for one.
#pragma once

#include "platform/win32.h"

// The attribute word of `path` when it is an existing directory, else 0.
// Prints "DirExists(...) failed" for errors other than a missing file.
DWORD DirExists(const char* path);

// Creates `path` after its missing parents, outermost first, each asked
// "Create <path> ?" and counted in "directories created".
bool MakeDir(const char* path);
