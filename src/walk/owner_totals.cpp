#include "walk/owner_totals.h"

#include <cstdio>
#include <cstring>

#include "output/standard_output.h"

OwnerTotalsTable OwnerTotals;

static int LastFound = -1;        // consecutive entries usually share their owner
static bool FullReported = false;

// A row's counts are set as it is added: emptying forgets the rows alone.
void EmptyOwnerTotals(void) {
  OwnerTotals.Count = 0;
  OwnerTotals.PoolUsed = 0;
  LastFound = -1;
  FullReported = false;
}

const char* OwnerName(int index) { return OwnerTotals.NamePool + OwnerTotals.NameStart[index]; }

static int FindOwner(const char* owner) {
  for (int i = 0; i < OwnerTotals.Count; i++) {
    if (strcmp(OwnerName(i), owner) == 0) return i;
  }
  return -1;
}

static int AddOwner(const char* owner) {
  size_t size = strlen(owner) + 1;
  if (OwnerTotals.Count >= OwnerCapacity || size > (size_t)(OwnerNamePoolSize - OwnerTotals.PoolUsed)) {
    if (!FullReported) {
      PrintError("KELTRO-ERROR, owner table full, '%s' and later new owners are not counted\n", owner);
      FullReported = true;
    }
    return -1;
  }
  int index = OwnerTotals.Count++;
  OwnerTotals.NameStart[index] = OwnerTotals.PoolUsed;
  memcpy(OwnerTotals.NamePool + OwnerTotals.PoolUsed, owner, size);
  OwnerTotals.PoolUsed += (int32_t)size;
  OwnerTotals.Files[index] = 0;
  OwnerTotals.Bytes[index] = 0;
  return index;
}

// Kept apart, so the common case below (the owner of the entry before)
// costs no saving of registers.
[[gnu::noinline]] static int FindOrAddOtherOwner(const char* owner) {
  int index = FindOwner(owner);
  if (index < 0) index = AddOwner(owner);
  if (index >= 0) LastFound = index;
  return index;
}

int FindOrAddOwner(const char* owner) {
  if (LastFound >= 0) {
    const char* last = OwnerName(LastFound);
    if (last[0] == owner[0] && (owner[0] == '\0' || strcmp(last, owner) == 0)) return LastFound;
  }
  return FindOrAddOtherOwner(owner);
}
