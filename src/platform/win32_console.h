// Console family: the standard handles, writing to them, telling a console
// from a file or a pipe, and discarding typed-ahead input.
#pragma once

#include "platform/win32_types.h"

#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)

HANDLE GetStdHandle(DWORD nStdHandle);
// Discards pending input of a console (terminal) input handle; fails with
// ERROR_INVALID_HANDLE for anything else (a pipe or a file).
BOOL FlushConsoleInputBuffer(HANDLE hConsoleInput);

// Writes to a standard output or error handle; on failure the last error is
// the Win32 code (112 disk full, 232 for a pipe whose reader is gone).
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, void* lpOverlapped);
// TRUE for a console (a terminal); fails with ERROR_INVALID_HANDLE otherwise.
BOOL GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode);
