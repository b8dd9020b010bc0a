#include "platform/posix/win_path.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/layer.h"

namespace {

bool IsSeparator(char c) { return c == '\\'; }


bool IsDriveQualified(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

// The root of a UNC path ends after the separator that follows the share name.
size_t UncRootLength(const std::string& path) {
  size_t server = path.find('\\', 2);
  if (server == std::string::npos) return path.size();
  size_t share = path.find('\\', server + 1);
  return share == std::string::npos ? path.size() : share + 1;
}

// Win32's rules for one segment: a single trailing period goes ("a." is "a");
// runs of three or more periods are names.
std::string_view TrimSegment(std::string_view segment) {
  if (segment.size() >= 2 && segment.back() == '.' && segment[segment.size() - 2] != '.')
    segment.remove_suffix(1);
  return segment;
}

// Joins root and the folded segments of rest.
std::string Fold(const std::string& root, const std::string& rest) {
  std::vector<std::string_view> segments;  // views into rest
  std::string_view all(rest);
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('\\', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view segment = all.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(TrimSegment(segment));
    }
    start = end + 1;
  }
  bool trailingSeparator = !rest.empty() && IsSeparator(rest.back());
  if (!trailingSeparator && !segments.empty()) {
    std::string_view& last = segments.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.remove_suffix(1);
    if (last.empty()) segments.pop_back();
  }
  std::string full;
  full.reserve(root.size() + rest.size() + 1);
  full = root;
  for (size_t i = 0; i < segments.size(); i++) {
    if (i > 0) full += '\\';
    full += segments[i];
  }
  if (trailingSeparator && !segments.empty()) full += '\\';
  return full;
}

// A drive path already in the form Fold gives: no `/`, no empty, `.` or `..`
// segment, no segment ending in a period, the last none ending in a blank.
bool IsFoldedDrivePath(std::string_view path) {
  if (path.size() < 3 || path[0] == '/' || IsSeparator(path[0]) || path[1] != ':' || !IsSeparator(path[2]))
    return false;
  size_t start = 3;  // of the segment
  for (size_t i = 3; i < path.size(); i++) {
    if (path[i] == '/') return false;
    if (!IsSeparator(path[i])) continue;
    if (i == start || path[i - 1] == '.') return false;
    start = i + 1;
  }
  return start == path.size() || (path.back() != '.' && path.back() != ' ');
}

// One name relative to the current directory that folding leaves as it is:
// no separator, drive, `.` or `..`, no period or blank at its end.
bool IsPlainName(std::string_view path) {
  if (path.empty() || (path.size() >= 2 && path[1] == ':') || path == "." || path == "..") return false;
  if (path.back() == '.' || path.back() == ' ') return false;
  return path.find_first_of("\\/") == std::string_view::npos;
}

// currentDir with exactly one separator at its end.
std::string AsDirectory(const std::string& dir) {
  if (dir.empty() || IsSeparator(dir.back())) return dir;
  return dir + '\\';
}

}  // namespace

std::string WithBackslashes(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

bool IsNoDrivePath(const std::string& path) {
  if (path.size() < kNoDrivePrefixLength) return false;
  for (size_t i = 0; i < kNoDrivePrefixLength; i++) {
    if (UpperAscii(path[i]) != UpperAscii(kNoDrivePrefix[i])) return false;
  }
  return true;
}

size_t WindowsRootLength(const std::string& path) {
  if (IsNoDrivePath(path)) return kNoDrivePrefixLength;
  if (path.compare(0, 4, "\\\\?\\") == 0 || path.compare(0, 4, "\\\\.\\") == 0) return 4;
  if (path.compare(0, 2, "\\\\") == 0) return UncRootLength(path);
  if (IsDriveQualified(path)) return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
  if (!path.empty() && IsSeparator(path[0])) return 1;
  return 0;
}

bool FullWindowsPath(std::string_view input, const std::string& currentDir, std::string& full) {
  if (input.empty()) return false;
  if (IsFoldedDrivePath(input)) {  // most paths the walker builds
    full = input;
    return true;
  }
  if (input == ".." && IsFoldedDrivePath(currentDir)) {  // the walker's way back up: the directory's parent
    std::string_view dir = currentDir;
    while (dir.size() > 3 && IsSeparator(dir.back())) dir.remove_suffix(1);
    size_t separator = dir.rfind('\\');  // 2 in a drive's top directory, whose parent is the root
    full = dir.substr(0, separator == 2 ? 3 : separator);
    return true;
  }
  if (IsPlainName(input)) {  // the walker's "*.*" in the directory it entered
    full = AsDirectory(currentDir);
    full += input;
    if (IsFoldedDrivePath(full)) return true;
  }
  std::string path = WithBackslashes(std::string(input));
  std::string current = WithBackslashes(currentDir);
  size_t currentRoot = WindowsRootLength(current);

  if (IsNoDrivePath(path)) {
    full = Fold(kNoDrivePrefix, path.substr(kNoDrivePrefixLength));
    return true;
  }
  if (path.compare(0, 4, "\\\\?\\") == 0 || path.compare(0, 4, "\\\\.\\") == 0) {
    full = path;  // device paths are taken as they are
    return true;
  }
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t root = UncRootLength(path);
    full = Fold(AsDirectory(path.substr(0, root)), path.substr(root));
    return true;
  }
  if (IsDriveQualified(path)) {
    std::string drive = path.substr(0, 2);
    if (path.size() >= 3 && IsSeparator(path[2])) {
      full = Fold(drive + '\\', path.substr(3));
    } else if (IsDriveQualified(current) && UpperAscii(current[0]) == UpperAscii(path[0])) {
      std::string relative = path.substr(2);
      std::string rest = current.substr(3);
      if (!relative.empty()) rest += (rest.empty() ? "" : "\\") + relative;
      full = Fold(current.substr(0, 3), rest);
    } else {
      full = Fold(drive + '\\', path.substr(2));
    }
    return true;
  }
  if (IsSeparator(path[0])) {
    // Rooted: the root of the current drive or share; "\" when on no drive.
    std::string root = currentRoot > 1 ? AsDirectory(current.substr(0, currentRoot)) : "\\";
    full = Fold(root, path.substr(1));
    return true;
  }
  std::string root = currentRoot > 0 ? AsDirectory(current.substr(0, currentRoot)) : "\\";
  std::string rest = current.size() > currentRoot ? current.substr(currentRoot) + '\\' + path : path;
  full = Fold(root, rest);
  return true;
}

bool HasWildcard(std::string_view text) {
  return memchr(text.data(), '*', text.size()) || memchr(text.data(), '?', text.size());
}
