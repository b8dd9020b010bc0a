#include "walk/source_names.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/ascii_case.h"
#include "output/standard_output.h"

bool CreateSourceNameList(SourceNameList* list) {
  *list = {};
  // Not cleared: a walk obtains them for every directory, and clearing 720 KiB
  // cost more than the rest of an up-to-date directory's mir.
  list->Pool = (char*)malloc(SourceNamePoolSize);
  list->Index = (int32_t*)malloc(SourceNameIndexSize * sizeof(int32_t));
  if (list->Pool && list->Index) return true;
  ReleaseSourceNameList(list);
  return false;
}

bool AddSourceName(SourceNameList* list, const char* name) {
  size_t length = strlen(name);
  if (list->Count >= SourceNameIndexSize || length >= (size_t)(SourceNamePoolSize - list->NextFree)) {
    PrintError("KELTRO-ERROR, filename buffer exceeded\n");
    return false;
  }
  list->Index[list->Count++] = list->NextFree;
  list->Sorted = false;
  memcpy(list->Pool + list->NextFree, name, length + 1);
  list->NextFree += (int32_t)length + 1;
  return true;
}

// <0, 0 or >0 as a sorts before, equals or sorts after b, letters A to Z without case.
static int CompareIgnoringCase(const char* a, const char* b) {
  for (; *a && (*a == *b || UpperAscii(*a) == UpperAscii(*b)); ++a, ++b) {
  }
  return (unsigned char)UpperAscii(*a) - (unsigned char)UpperAscii(*b);
}

bool HasSourceName(SourceNameList* list, const char* name) {
  const char* pool = list->Pool;
  int32_t* end = list->Index + list->Count;
  if (!list->Sorted) {
    std::sort(list->Index, end, [pool](int32_t a, int32_t b) { return CompareIgnoringCase(pool + a, pool + b) < 0; });
    list->Sorted = true;
  }
  int32_t* found = std::lower_bound(list->Index, end, name,
                                    [pool](int32_t at, const char* key) { return CompareIgnoringCase(pool + at, key) < 0; });
  return found != end && CompareIgnoringCase(pool + *found, name) == 0;
}

void ReleaseSourceNameList(SourceNameList* list) {
  free(list->Pool);
  free(list->Index);
  *list = {};
}
