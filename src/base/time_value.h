// The time values of the command line and the walk.
#pragma once

#include <cstdint>

// A time value: 100-ns units since 1601-01-01 in local wall-clock time;
// 0 = not given, all bits set = never.
typedef uint64_t TimeValue;
constexpr TimeValue TimeNever = ~(TimeValue)0;
