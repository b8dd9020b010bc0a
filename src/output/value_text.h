// Rendering of the engine's number and time values as text.
#pragma once

#include <cstdint>

constexpr int NumberTextCapacity = 64;   // a grouped number
constexpr int TimeTextCapacity = 256;    // date (128) followed by time (128)

// Reads into Run what numbers and times are rendered by: the user locale's
// thousands separator (a failed read keeps the previous one), the date and
// time pictures from QX_DATE_FORMAT and QX_TIME_FORMAT, and the current year.
// WorkOutRunValues reads them once, after parsing: the locale and the
// environment of a run do not change.
void ReadOutputConventions(void);

// A 32-bit value ("%ld") or a double rounded to a whole number ("%0.0f"),
// grouped by three with Run's separator; a negative value prints in
// parentheses. text has NumberTextCapacity bytes.
void RenderNumber(int32_t value, char* text);
void RenderDouble(double value, char* text);

// A local file time as date and time by Run's pictures, or "never" when its
// year is more than 99 years from Run's current year. text has TimeTextCapacity bytes.
void RenderFileTime(uint64_t fileTime, char* text);
