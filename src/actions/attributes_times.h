// Attributes and times of one file or directory.
#pragma once

#include "base/time_value.h"
#include "platform/win32.h"

// The attribute word edited by an /a text: positions R, H, S, A; the letter
// sets the bit, '.' clears it, anything else (and a missing position) leaves it.
DWORD ApplyAttribText(DWORD attributes, const char* text);

// Sets the attribute word, retrying after RemoveProtection on the path and
// then on its parent directory. Prints "SetAttribs(...) failed" on failure.
bool SetAttribs(const char* path, DWORD attributes);

// SetAttribs only when `wanted` differs from `current`; then prints
// "KELTRO-INFO, replace attributes: ..." and counts "attributes replaced".
bool ReplaceAttribs(const char* path, DWORD wanted, DWORD current);

// Sets the creation, last-access and last-write times (local time values;
// 0 leaves that time as it is). Prints "SetFileTime(...) failed" on failure.
bool SetTimes(const char* path, TimeValue creation, TimeValue access, TimeValue write);
