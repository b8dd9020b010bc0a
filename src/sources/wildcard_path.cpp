#include "sources/wildcard_path.h"

#include <cstdio>
#include <cstring>

#include "actions/change_dir.h"
#include "driver/settings.h"
#include "driver/statistics.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "params/bounded_text.h"
#include "platform/win32.h"
#include "sources/pattern_match.h"
#include "walk/path_compose.h"
#include "walk/walk_directory.h"

namespace {

// The three pieces of a directory specification around its first wildcard
// component: `\data\proj*\src\` gives `\data`, `proj*` and `src\`.
struct WildcardCut {
  char prefix[TextCapacity];
  char component[TextCapacity];
  char rest[TextCapacity];
};

// Cuts `directory` and returns the length of the base directory (up to and
// including the backslash before the wildcard component).
size_t CutAtFirstWildcard(const char* directory, WildcardCut* cut) {
  size_t wildcard = strcspn(directory, "*?");
  size_t slash = wildcard;
  while (slash > 0 && directory[slash] != '\\') slash--;
  if (directory[slash] != '\\') slash = 0;  // no backslash before it: the component starts after the first character
  CopyTextN(cut->prefix, sizeof cut->prefix, directory, slash);
  const char* component = directory + slash + 1;
  size_t componentLength = strcspn(component, "\\");
  CopyTextN(cut->component, sizeof cut->component, component, componentLength);
  CopyText(cut->rest, sizeof cut->rest, component[componentLength] ? component + componentLength + 1 : "");
  return slash + 1;
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

}  // namespace

void ExpandWildcardPath(const char* domain, const char* server, const char* location,
                        const char* directory, const char* patterns) {
  if (!HasWildcards(directory)) {
    WalkLocation(domain, server, location, directory, patterns);
    return;
  }
  WildcardCut cut;
  char base[TextCapacity];
  CopyTextN(base, sizeof base, directory, CutAtFirstWildcard(directory, &cut));
  if (!ComposeRootPath(server, location, base)) return;  // reported and counted
  if (!GoToDir(CurrentDirPath)) return;

  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("*.*", &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
    if (!MatchPattern(entry.cFileName, cut.component, false)) continue;
    char next[TextCapacity];
    int length = snprintf(next, sizeof next, "%s\\%s\\%s", cut.prefix, entry.cFileName, cut.rest);
    if (length < 0 || length >= (int)sizeof next) {
      PrintError("KELTRO-ERROR, path too long: '%s\\%s\\%s'\n", cut.prefix, entry.cFileName, cut.rest);
      Stats.ErrorsDetected++;
      continue;
    }
    ExpandWildcardPath(domain, server, location, next, patterns);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}
