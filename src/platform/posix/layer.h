// Internal helpers of the POSIX layer (never included above src/platform/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/win32.h"

// The Win32 code for an errno value (never 0).
DWORD Win32ErrorFromErrno(int err);
// Sets the last error from errno value err and returns the Win32 code.
DWORD SetLastErrorFromErrno(int err);

// Sets the last error and returns FALSE; Succeed clears it and returns TRUE.
inline BOOL FailWith(DWORD err) {
  SetLastError(err);
  return FALSE;
}
inline BOOL Succeed() {
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

// The text of a string resource of the program, or null when it lacks it.
const char* FindStringResource(unsigned id);

// Upper-cases an ASCII letter; every other byte stays as it is.
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// Copies text into dest (capacity bytes), cut to fit and always terminated.
inline void CopyTruncated(char* dest, size_t capacity, std::string_view text) {
  if (capacity == 0) return;
  size_t length = text.size() < capacity ? text.size() : capacity - 1;
  memcpy(dest, text.data(), length);
  dest[length] = '\0';
}
template <size_t N>
inline void CopyTruncated(char (&dest)[N], std::string_view text) {
  CopyTruncated(dest, N, text);
}

// A FILETIME as one 64-bit count of 100-ns units, and back.
inline uint64_t FromFileTime(const FILETIME& time) {
  return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime;
}
inline FILETIME ToFileTime(uint64_t value) { return FILETIME{(DWORD)value, (DWORD)(value >> 32)}; }
