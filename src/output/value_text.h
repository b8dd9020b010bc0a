// Rendering of the engine's number and time values as text.
#pragma once

#include <cstdint>

constexpr int NumberTextCapacity = 64;   // a grouped number
constexpr int TimeTextCapacity = 256;    // date (128) followed by time (128)

// Reads the user locale's thousands separator for the numbers that follow; a
// failed read keeps the previous separator. The first number reads it; the
// locale of a run does not change, so that is the only read of a run.
void ReadThousandsSeparator(void);

// A 32-bit value ("%ld") or a double rounded to a whole number ("%0.0f"),
// grouped by three with the separator last read; a negative value prints in
// parentheses. text has NumberTextCapacity bytes.
void RenderNumber(int32_t value, char* text);
void RenderDouble(double value, char* text);

// Reads the date and time pictures from QX_DATE_FORMAT and QX_TIME_FORMAT
// for the times that follow. The first time read them; the environment of a
// run does not change, so that is the only read of a run.
void ReadTimePictures(void);

// A local file time as date and time, or "never" when its year is more than
// 99 years from the current one. text has TimeTextCapacity bytes.
void RenderFileTime(uint64_t fileTime, char* text);
