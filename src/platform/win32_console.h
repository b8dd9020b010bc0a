// Console family: the standard handles, writing to them, telling a console
// from a file or a pipe, its width, discarding typed-ahead input, and the
// coarse millisecond clock of the progress line.
#pragma once

#include "platform/win32_types.h"

#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)

typedef struct _COORD {
  SHORT X;
  SHORT Y;
} COORD;

typedef struct _SMALL_RECT {
  SHORT Left;
  SHORT Top;
  SHORT Right;
  SHORT Bottom;
} SMALL_RECT;

typedef struct _CONSOLE_SCREEN_BUFFER_INFO {
  COORD dwSize;
  COORD dwCursorPosition;
  WORD wAttributes;
  SMALL_RECT srWindow;
  COORD dwMaximumWindowSize;
} CONSOLE_SCREEN_BUFFER_INFO, *PCONSOLE_SCREEN_BUFFER_INFO;

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
// The window of a console: srWindow spans its visible columns and rows;
// fails with ERROR_INVALID_HANDLE for anything but a console.
BOOL GetConsoleScreenBufferInfo(HANDLE hConsoleOutput,
                                PCONSOLE_SCREEN_BUFFER_INFO lpConsoleScreenBufferInfo);

// Milliseconds since an arbitrary start, from a coarse clock that costs no
// system call.
ULONGLONG GetTickCount64(void);
