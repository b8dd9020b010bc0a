// Listings of share directories read ahead of a walk. A walk of every
// subdirectory lists a share's directories one at a time, each waiting for the
// server's answers, while the server and the walk take turns. With the hint
// on, child processes, each with its own connection, list the directories the
// walk will come to next, in the order it will come to them (subdirectories
// in NTFS order, each before the ones that follow it), so that the server and
// the walk work at the same time. A listing the walk asks for is taken from
// them; one they were not asked for is read by the walk itself. A run that
// changes nothing turns this on: a listing read ahead is a few directories
// older than the walk, which only a change of the run's own could tell.
// Internal to src/platform/posix/.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/share_files.h"

// How a listing ended: 0, or the errno of the failed open (opened false) or
// of the failed read.
struct ShareListingResult {
  int err = 0;
  bool opened = true;
};

// Reads the directory at `url` through `context`: the entries whose names
// match `pattern`, names in the ANSI code page, in NTFS order.
ShareListingResult ReadShareListing(SMBCCTX* context, const std::string& url, const std::string& pattern,
                                    std::vector<ShareEntry>& entries);

// True, with every entry of `directory` (full path, with or without its final
// separator) in NTFS order and how its listing ended, when it was read ahead.
bool TakeListingReadAhead(const std::string& directory, std::vector<ShareEntry>& entries,
                          ShareListingResult& result);

// After the walk itself listed every entry of `directory`: its subdirectories
// are the next to read ahead.
void ReadAheadBelow(const std::string& directory, const std::vector<ShareEntry>& entries);
