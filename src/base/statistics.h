// Run counters, incremented by the walker and the file actions and printed at
// the end of the run (PrintStatistics, driver/entry.h).
#pragma once

#include <cstdint>

#include "base/settings.h"

struct RunStatistics {
  int32_t Files;
  double Bytes;
  int32_t Subdirectories;
  int32_t FilesCopied;
  double BytesCopied;
  int32_t FilesReplaced;
  int32_t FilesDeleted;
  double BytesDeleted;
  int32_t DirectoriesCreated;
  int32_t DirectoriesRemoved;
  int32_t ProtectionsReplaced;
  int32_t AttributesReplaced;
  int32_t FilesTaken;
  int32_t ActionsSkipped;
  int32_t ErrorsDetected;
  int32_t ServerCounter;    // feeds ~S of the totals line
  int32_t LocationCounter;  // matched drives or shares, ~e of the totals line
};

extern RunStatistics Stats;
