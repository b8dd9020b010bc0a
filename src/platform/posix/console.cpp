// The console family over a terminal: a standard handle stands for its file
// descriptor, and a console is a terminal.
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
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

static int DescriptorOf(HANDLE h) {
  for (int& fd : StandardDescriptors)
    if (h == &fd) return fd;
  return -1;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, void* lpOverlapped) {
  int fd = DescriptorOf(hFile);
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const char* data = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t n = write(fd, data + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetLastErrorFromErrno(n < 0 ? errno : ENOSPC);
      return FALSE;
    }
    done += (DWORD)n;
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  }
  return TRUE;
}

BOOL GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode) {
  int fd = DescriptorOf(hConsoleHandle);
  if (fd < 0 || !isatty(fd)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (lpMode) *lpMode = 0;
  return TRUE;
}

// A terminal that gives no size (a serial line, say) counts as 80 by 24.
BOOL GetConsoleScreenBufferInfo(HANDLE hConsoleOutput,
                                PCONSOLE_SCREEN_BUFFER_INFO lpConsoleScreenBufferInfo) {
  int fd = DescriptorOf(hConsoleOutput);
  if (fd < 0 || !isatty(fd)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  struct winsize size = {};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
    size.ws_col = 80;
    size.ws_row = 24;
  }
  SHORT columns = size.ws_col > 0x7FFF ? 0x7FFF : (SHORT)size.ws_col;
  SHORT rows = size.ws_row > 0x7FFF ? 0x7FFF : (SHORT)size.ws_row;
  *lpConsoleScreenBufferInfo = CONSOLE_SCREEN_BUFFER_INFO{
      {columns, rows}, {0, 0}, 0, {0, 0, (SHORT)(columns - 1), (SHORT)(rows - 1)}, {columns, rows}};
  return TRUE;
}

// CLOCK_MONOTONIC_COARSE is read without entering the kernel, to a few
// milliseconds.
ULONGLONG GetTickCount64(void) {
  struct timespec now;
  if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) != 0) clock_gettime(CLOCK_MONOTONIC, &now);
  return (ULONGLONG)now.tv_sec * 1000 + (ULONGLONG)now.tv_nsec / 1000000;
}
