// The console family over a terminal: a standard handle stands for its file
// descriptor, and a console is a terminal.
#include <cerrno>
#include <termios.h>
#include <unistd.h>

#include "platform/posix/layer.h"
#include "platform/win32_console.h"

// One object per standard handle, so a handle never equals a file handle.
static int StandardDescriptors[3] = {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO};

HANDLE GetStdHandle(DWORD nStdHandle) {
  switch (nStdHandle) {
    case STD_INPUT_HANDLE: return &StandardDescriptors[0];
    case STD_OUTPUT_HANDLE: return &StandardDescriptors[1];
    case STD_ERROR_HANDLE: return &StandardDescriptors[2];
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return INVALID_HANDLE_VALUE;
}

BOOL FlushConsoleInputBuffer(HANDLE hConsoleInput) {
  if (hConsoleInput != &StandardDescriptors[0] || !isatty(StandardDescriptors[0])) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (tcflush(StandardDescriptors[0], TCIFLUSH) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}
