// Per-owner file counts and byte sums of a sho run (the ~o lines and the o of
// the ~T line). Owners are kept in the order they were first met.
#pragma once

#include <cstdint>

constexpr int OwnerCapacity = 2048;          // owners
constexpr int OwnerNamePoolSize = 98304;     // bytes of owner texts, terminators included

struct OwnerTotalsTable {
  int32_t Count;                             // owners registered
  int32_t PoolUsed;                          // bytes of NamePool in use
  int32_t NameStart[OwnerCapacity];          // offset of each owner's text in NamePool
  int32_t Files[OwnerCapacity];
  double Bytes[OwnerCapacity];
  char NamePool[OwnerNamePoolSize];
};

extern OwnerTotalsTable OwnerTotals;

// Forgets every owner.
void EmptyOwnerTotals(void);

// Index of the owner whose text equals `owner` byte for byte, adding it when
// new. -1 when the owner is new and the table or the name pool is full; the
// first such refusal of a run prints one error line.
int FindOrAddOwner(const char* owner);

// The text of owner `index` (0 <= index < OwnerTotals.Count).
const char* OwnerName(int index);
