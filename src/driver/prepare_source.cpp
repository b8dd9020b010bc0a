// The source specification: its parts, its absolute form, its PatternList.
#include <cstdio>
#include <cstring>

#include "driver/entry.h"
#include "base/bounded_text.h"
#include "match/pattern_match.h"
#include "sources/split_source_spec.h"
#include "output/standard_output.h"

namespace {

// The text handed to the full-path step: a domain part is left out (the
// path begins at the server's two backslashes, not in the current
// directory), and a drive class such as "DISK*:" is reduced to its last
// character and the colon ("*:", "K:").
const char* FullPathInput(const char* spec) {
  if (DomainPattern[0]) return strstr(spec, "\\\\");
  size_t driveLength = strlen(DrivePart);
  if (driveLength <= 2) return spec;
  const char* colon = strchr(spec, ':');
  return colon ? colon - 1 : spec;
}

void MakePatternList(const char* filePart) {
  CopyText(FilePatterns, sizeof FilePatterns - 1, filePart);
  size_t length = strlen(FilePatterns);
  for (size_t i = 0; i < length; ++i) {
    if (FilePatterns[i] == ',') FilePatterns[i] = '\0';
  }
  FilePatterns[length + 1] = '\0';
}

}  // namespace

bool PrepareSourceSpec(void) {
  char spec[TextCapacity + 1];
  if (!CopyText(spec, SourceSpec) ||
      !SplitSourceSpec(spec, &DomainPattern, &ServerPattern, &SharePattern, &DrivePart, nullptr, nullptr)) {
    PrintError("KELTRO-ERROR, source specification longer than 256 characters\n");
    return false;
  }
  char absolute[MAX_PATH];
  DWORD length = GetFullPathNameA(FullPathInput(spec), sizeof absolute, absolute, nullptr);
  // Not reported: the whole current directory is meant. Its full path with a
  // closing backslash gives the walk an absolute root; the bare drive ("C:")
  // would name each level relative to the one before it.
  if (length == 0) length = GetFullPathNameA(".\\", sizeof absolute, absolute, nullptr);
  if (length >= TextCapacity) {
    PrintError("KELTRO-ERROR, absolute source specification longer than 255 characters\n");
    return false;
  }
  if (length == 0) absolute[0] = '\0';

  SpecPart filePart;
  SplitSourceSpec(absolute, nullptr, nullptr, nullptr, nullptr, &DirectoryPart, &filePart);
  if (filePart[0] == '\0') {
    CopyText(filePart, "*");
    WholeDirectorySpec = 1;
    Recurse = 1;
    RemoveDirs = 1;
  } else {
    WholeDirectorySpec = 0;
  }
  MakePatternList(filePart);
  return true;
}
