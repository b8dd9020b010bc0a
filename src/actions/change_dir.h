// Changing the process's current directory, the one way the walk moves.
#pragma once

// Makes `path` (absolute, or "..") the current directory. On failure prints
// "cannot go to", counts one error and returns false.
bool GoToDir(const char* path);
