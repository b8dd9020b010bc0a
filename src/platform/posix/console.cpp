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
