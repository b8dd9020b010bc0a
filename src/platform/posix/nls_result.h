// How the national-language functions hand back a text, the Win32 way.
// Internal to src/platform/posix/.
#pragma once

#include <cstring>

#include "platform/win32.h"

// With capacity 0: the size the text needs, terminator included. Otherwise
// the text and its terminator when they fit (returns their size), else
// ERROR_INSUFFICIENT_BUFFER and 0; nothing is written past `capacity`.
inline int ReturnText(const char* text, size_t length, LPSTR out, int capacity) {
  int needed = (int)length + 1;
  if (capacity == 0) return needed;
  if (capacity < 0 || out == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (needed > capacity) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(out, text, length);
  out[length] = '\0';
  return needed;
}
