// Network names between the loops' UTF-16 and the ANSI code page of
// matching, messages and the walk.
#pragma once

#include <string>

#include "platform/win32.h"

// The ANSI area a name is matched and walked in: at most 23 characters.
constexpr int NetNameCapacity = 24;
using NetName = char[NetNameCapacity];

// The whole ANSI form of a UTF-16 name, however long.
std::string AnsiName(const WCHAR* name);

// The ANSI form of a name in its area; false (the area empty) when the name
// has more than 23 characters.
bool ToNetName(const WCHAR* name, NetName& ansi);

// The UTF-16 form of an ANSI text in `capacity` units; false (the area
// empty) when it does not fit.
bool ToWideName(const char* text, WCHAR* wide, int capacity);

// ToWideName for a name given in the source; one that does not fit is
// reported as "<module>-ERROR, <kind> name '...' longer than N characters".
bool ToGivenName(const char* text, WCHAR* wide, int capacity, const char* module, const char* kind);

// Whether an enumerated name matches `pattern`, its ANSI form left in
// `ansi`. A name of more than 23 characters matches nothing and is reported
// as "<module>-ERROR, <kind> name '...' longer than 23 characters, skipped".
bool MatchNetName(const WCHAR* name, const char* pattern, const char* module, const char* kind, NetName& ansi);

// Copies a UTF-16 name into `capacity` units; false when it was cut.
bool CopyWideName(WCHAR* dest, int capacity, const WCHAR* source);
