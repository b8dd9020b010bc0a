// The time values of the command line and the walk.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// A time value: 100-ns units since 1601-01-01 in local wall-clock time;
// 0 = not given, all bits set = never.
typedef uint64_t TimeValue;
constexpr TimeValue TimeNever = ~(TimeValue)0;

// A FILETIME as one 64-bit value, and back.
inline uint64_t TimeValueOf(const FILETIME& time) {
  return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime;
}
inline FILETIME FileTimeOf(uint64_t value) { return FILETIME{(DWORD)value, (DWORD)(value >> 32)}; }
