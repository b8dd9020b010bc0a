// Windows path texts as Win32 reads them: separators, roots, and the folding
// of GetFullPathNameA. Pure text work, no file-system access.
#pragma once

#include <string>
#include <string_view>

// `/` becomes `\`.
std::string WithBackslashes(const std::string& path);

// The Windows form of a POSIX path that no drive covers: this prefix, then
// the path with `\` ("\\?\unix\opt\keltro" is /opt/keltro), the form Wine
// gives such paths. It cannot be read as a path on the current drive.
constexpr char kNoDrivePrefix[] = "\\\\?\\unix\\";
constexpr size_t kNoDrivePrefixLength = sizeof kNoDrivePrefix - 1;
bool IsNoDrivePath(const std::string& path);

// Length of the root of a full path: 3 for "C:\x" (any character before the
// colon counts as a drive), the length of "\\server\share\" for a UNC path,
// that of the prefix for a path on no drive, 4 for other "\\?\" and "\\.\"
// paths, 1 for a path that begins with "\", 0 for anything else.
size_t WindowsRootLength(const std::string& path);

// The full form of `path` (either separator) as GetFullPathNameA makes it:
// relative to currentDir (a full path: "C:\data", "\\srv\share\x" or
// "\\?\unix\tmp" on no drive), `.` and `..` folded, runs of separators collapsed, a segment's
// single trailing period and the last segment's trailing periods and blanks
// removed, a trailing separator kept. "X:rel" on a drive other than the
// current one starts at that drive's root. False for an empty path.
bool FullWindowsPath(std::string_view path, const std::string& currentDir, std::string& full);

// True when the text holds `*` or `?`.
bool HasWildcard(std::string_view text);
