// Linux names as the core sees them. A Linux name holds every byte but `/`
// and NUL; the layer shows it to the core as Windows clients of a Samba
// server with `fruit:encoding = private` see it: each character no Win32
// name can hold is replaced by a private-use stand-in, and every component of
// a path the core hands back is mapped back before it reaches the file system.
//
//   bytes 0x01-0x1F                      U+F001-U+F01F
//   " * : < > ? \ |                      U+F020-U+F027, in that order
//   a blank as a name's last character   U+F028
//   a period as a name's last character  U+F029 (not `.` and `..`)
//
// Under a UTF-8 ANSI code page a stand-in is written as its UTF-8 bytes and
// can be typed back; an 8-bit page has no character for it, so it is shown as
// `?` and the name cannot be reached by what is shown, as on Windows.
#pragma once

#include <string>
#include <string_view>

// The stand-in of the character name[i] (a byte below 0x80), or 0 when it is
// shown as it is.
char32_t StandInAt(std::string_view name, size_t i);

// The name as the core is shown it. Gives `name` itself when it holds nothing
// to replace (`.`, `..` and every valid Win32 name), else shown.c_str().
const char* ShownName(const char* name, std::string& shown);

// For a plain name of `length` bytes, all ASCII and none needing a stand-in
// (ShownName gives it as it is; `.` and `..` aside), appends its folded form
// (upper-cased, as AppendFoldedName gives it) and a NUL and gives true; for
// any other name appends nothing and gives false. One pass for both.
bool AppendFoldedIfPlain(std::string* out, const char* name, size_t length);

// Room for FoldListedName's folded form.
constexpr size_t kFoldedNameRoom = 256;

// Folds a name of at most 255 bytes as read from a directory, whose block
// can be read in 16-byte steps from the name's start up to the step that
// holds its terminator (ForEachDirectoryEntry gives names so): `folded`
// receives the name upper-cased (a-z only) and zeros up to the end of that
// step. Returns the name's length; *plain is true when the name is plain as
// AppendFoldedIfPlain takes it, and only then is `folded` its folded form.
size_t FoldListedName(const char* name, char (&folded)[kFoldedNameRoom], bool* plain);

// The Linux name of one component of a path the core gave: the stand-ins that
// ShownName writes mapped back (the blank and the period only as the last
// character). A component that would become `.` or `..`, and every component
// under an 8-bit page, is taken as it is.
std::string PosixName(std::string_view component);

// A POSIX path in Windows form: each component shown, `/` turned into `\`.
std::string ShownPath(std::string_view posixPath);
