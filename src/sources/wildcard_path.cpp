#include "sources/wildcard_path.h"

#include <cstdio>
#include <cstring>

#include "actions/change_dir.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/console.h"
#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "platform/win32.h"
#include "match/pattern_match.h"
#include "walk/path_compose.h"
#include "walk/walk_directory.h"

namespace {

// The directory specification being expanded, in two parts: `done`, the
// concrete directories chosen so far (ending in '\', or empty), and `rest`,
// the part of the given specification still to expand. Names of chosen
// directories are never searched for wildcards again, so each step takes one
// wildcard component of the given text and the depth is bounded by it.
struct WildcardCut {
  char base[TextCapacity];       // done and rest up to the wildcard component
  char component[TextCapacity];  // the wildcard component
  const char* after;             // rest behind the component and its '\'
};

// Cuts rest at its first wildcard component: `\data\proj*\src\` gives the
// base `\data\`, the component `proj*` and `src\`. False when the base does not fit.
bool CutAtFirstWildcard(const char* done, const char* rest, WildcardCut* cut) {
  size_t start = strcspn(rest, "*?");
  while (start > 0 && rest[start - 1] != '\\') start--;
  size_t componentLength = strcspn(rest + start, "\\");
  CopyTextN(cut->component, sizeof cut->component, rest + start, componentLength);
  cut->after = rest + start + componentLength + (rest[start + componentLength] ? 1 : 0);
  int length = snprintf(cut->base, sizeof cut->base, "%s%.*s", done, (int)start, rest);
  return length >= 0 && length < (int)sizeof cut->base;
}

// The source specification that did not fit, given in pieces.
void ReportTooLong(const char* a, const char* b, const char* c = "", const char* d = "") {
  PrintError("KELTRO-ERROR, path too long: '%s%s%s%s'\n", a, b, c, d);
  Stats.ErrorsDetected++;
}

void PrintLocationLine(const char* domain, const char* server, const char* location,
                       const char* directory, const char* patterns, int32_t files, double bytes) {
  int32_t recursive = Recurse ? 1 : 0;
  const PlaceholderEntry table[] = {
      {PK_TEXT, 'D', domain},       {PK_TEXT, 'S', server},       {PK_TEXT, 'e', location},
      {PK_TEXT, 'd', directory},    {PK_TEXT, 'f', patterns},     {PK_NUMBER, 'r', &recursive},
      {PK_NUMBER, 'T', &files},     {PK_DOUBLE, 's', &bytes},     {PK_END, 0, nullptr},
  };
  PrintListingLine(LocationFormat, table);
}

void WalkLocation(const char* domain, const char* server, const char* location,
                  const char* directory, const char* patterns) {
  int32_t filesBefore = Stats.Files;
  double bytesBefore = Stats.Bytes;
  CurrentDirPath[0] = '\0';
  int walked = WalkDirectory(domain, server, location, directory, patterns);
  if (walked && LocationFormat[0]) {
    PrintLocationLine(domain, server, location, directory, patterns, Stats.Files - filesBefore,
                      Stats.Bytes - bytesBefore);
  }
  Stats.LocationCounter++;
}

// Walks `done` followed by `rest` when rest holds no wildcard, else every
// directory that matches its first wildcard component, depth first.
void ExpandRest(const char* domain, const char* server, const char* location, const char* done,
                const char* rest, const char* patterns) {
  if (!HasWildcards(rest)) {
    char directory[TextCapacity];
    int length = snprintf(directory, sizeof directory, "%s%s", done, rest);
    if (length < 0 || length >= (int)sizeof directory) {
      ReportTooLong(done, rest);
      return;
    }
    WalkLocation(domain, server, location, directory, patterns);
    return;
  }
  WildcardCut cut;
  if (!CutAtFirstWildcard(done, rest, &cut)) {
    ReportTooLong(done, rest);
    return;
  }
  if (!ComposeRootPath(server, location, cut.base)) return;  // reported and counted
  if (!GoToDir(CurrentDirPath)) return;

  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("*.*", &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
    if (!MatchPattern(entry.cFileName, cut.component, false)) continue;
    char next[TextCapacity];
    int length = snprintf(next, sizeof next, "%s%s\\", cut.base, entry.cFileName);
    if (length < 0 || length >= (int)sizeof next) {
      ReportTooLong(cut.base, entry.cFileName, "\\", cut.after);
      continue;
    }
    ExpandRest(domain, server, location, next, cut.after, patterns);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

}  // namespace

void ExpandWildcardPath(const char* domain, const char* server, const char* location,
                        const char* directory, const char* patterns) {
  ExpandRest(domain, server, location, "", directory, patterns);
}
