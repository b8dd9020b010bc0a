#include "walk/source_names.h"

#include <cstdlib>
#include <cstring>

#include "base/ascii_case.h"
#include "output/standard_output.h"

bool CreateSourceNameList(SourceNameList* list) {
  *list = {};
  list->Pool = (char*)calloc(SourceNamePoolSize, 1);
  list->Index = (int32_t*)calloc(SourceNameIndexSize, sizeof(int32_t));
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
  memcpy(list->Pool + list->NextFree, name, length + 1);
  list->NextFree += (int32_t)length + 1;
  return true;
}

static bool SameNameIgnoringCase(const char* a, const char* b) {
  for (; *a && UpperAscii(*a) == UpperAscii(*b); ++a, ++b) {
  }
  return UpperAscii(*a) == UpperAscii(*b);
}

bool HasSourceName(const SourceNameList* list, const char* name) {
  for (int32_t i = 0; i < list->Count; ++i) {
    if (SameNameIgnoringCase(list->Pool + list->Index[i], name)) return true;
  }
  return false;
}

void ReleaseSourceNameList(SourceNameList* list) {
  free(list->Pool);
  free(list->Index);
  *list = {};
}
