// How the national-language functions hand back a text, the Win32 way.
// Internal to src/platform/posix/.
#pragma once

#include <cstring>

#include "platform/win32.h"

// Whether out (capacity > 0 characters) holds a text of `length` characters
// and its terminator; when not, sets the Win32 error and gives false.
inline bool HasRoomFor(size_t length, LPSTR out, int capacity) {
  if (capacity < 0 || out == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if ((int)length + 1 > capacity) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  return true;
}

// With capacity 0: the size the text needs, terminator included. Otherwise
// the text and its terminator when they fit (returns their size), else 0
// (HasRoomFor); nothing is written past `capacity`.
inline int ReturnText(const char* text, size_t length, LPSTR out, int capacity) {
  if (capacity == 0) return (int)length + 1;
  if (!HasRoomFor(length, out, capacity)) return 0;
  memcpy(out, text, length);
  out[length] = '\0';
  return (int)length + 1;
}
