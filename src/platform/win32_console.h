// Console family: the standard handles and discarding typed-ahead input.
#pragma once

#include "platform/win32_types.h"

#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)

HANDLE GetStdHandle(DWORD nStdHandle);
// Discards pending input of a console (terminal) input handle; fails with
// ERROR_INVALID_HANDLE for anything else (a pipe or a file).
BOOL FlushConsoleInputBuffer(HANDLE hConsoleInput);
