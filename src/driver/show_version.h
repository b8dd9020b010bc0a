// The version line and the usage text, from the program's string resources.
#pragma once

// mode 0: the version line; mode 1: the version line and the usage text.
// Ends the process with exit code -1.
[[noreturn]] void ShowVersion(int mode);
