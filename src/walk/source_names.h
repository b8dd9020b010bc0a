// The source name list of /d: every name a source directory lists, kept
// while the directory is walked so that its target can be cleaned against it.
#pragma once

#include <cstdint>

constexpr int32_t SourceNamePoolSize = 655360;  // names with their terminators
constexpr int32_t SourceNameIndexSize = 20480;  // names

struct SourceNameList {
  char* Pool;        // SourceNamePoolSize bytes, names back to back
  int32_t* Index;    // SourceNameIndexSize pool positions, in listing order until a lookup sorts them
  int32_t Count;
  int32_t NextFree;  // pool position of the next name
  bool Sorted;       // the index is in name order (letters A to Z without case)
};

// Obtains both areas, not cleared: no part of them is read before it is
// written. False (nothing held) when the memory cannot be had.
bool CreateSourceNameList(SourceNameList* list);

// Adds one name. False after "KELTRO-ERROR, filename buffer exceeded" when
// the pool or the index has no room for it (no error is counted).
bool AddSourceName(SourceNameList* list, const char* name);

// True when the list holds `name`, letters A to Z compared without case. The
// first lookup after names were added sorts the index, so that cleaning a
// target of n entries against n names costs n log n, not n squared.
bool HasSourceName(SourceNameList* list, const char* name);

void ReleaseSourceNameList(SourceNameList* list);
