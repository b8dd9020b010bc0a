// Calendar arithmetic on SYSTEMTIME, shared by the time conversions and the
// date and time pictures. Internal to src/platform/posix/.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Win32's bounds for a date: year 1601..30827, month 1..12, day within the
// month (leap years counted).
bool IsValidSystemDate(const SYSTEMTIME& time);
// Hour <= 23, minute and second <= 59, milliseconds <= 999.
bool IsValidSystemClock(const SYSTEMTIME& time);
// Day of the week, 0 = Sunday, of a valid date.
int DayOfWeek(int year, int month, int day);
