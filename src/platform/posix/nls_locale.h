// The user's locale as the national-language functions read it. The layer
// never changes the process locale: it opens its own copy of the locale the
// environment names (LC_ALL, LC_<category>, LANG), once, at first use, and
// keeps it in Layer (layer_state.h).
// Internal to src/platform/posix/.
#pragma once

#include <langinfo.h>
#include <locale.h>

#include <cstddef>

// An item of the user locale (nl_langinfo), "" when unavailable. The locale
// is the one the environment names; categories the system cannot load fall
// back to "C" one by one.
const char* UserLocaleText(nl_item item);

// The codeset of the user locale's LC_CTYPE, e.g. "UTF-8" or "ISO-8859-1".
const char* UserCodeset();

// A locale whose character classes cover all of Unicode (the user's when it
// is a UTF-8 one, else C.UTF-8), for upper-casing UTF-8 text; null when the
// system has none.
locale_t UnicodeCaseLocale();

// Names from LC_TIME: month 1..12, day of week 0 (Sunday)..6, and the
// AM/PM designators (C gives "AM" and "PM").
const char* MonthName(int month, bool abbreviated);
const char* DayName(int dayOfWeek, bool abbreviated);
const char* TimeMarker(bool afternoon);
