// The parent directory of a path, as MakeDir and SetAttribs find it.
#pragma once

#include "platform/win32.h"

// The full path of `path` without one trailing backslash, cut before its
// last backslash. False (nothing to report) when the full path does not fit
// in MAX_PATH characters or holds no backslash.
bool ParentDirectory(const char* path, char (&parent)[MAX_PATH]);
