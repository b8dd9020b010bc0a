// Linux accounts by id and by name, from NSS (so directory accounts work
// too), through a cache kept for the run: a tree of many files owned by a
// few accounts costs a few NSS calls. An answer of NSS changes only by a
// change from outside, which the run does not see; that is the documented
// choice. Both directions keep kAccountCacheSize answers, found or not, and
// replace the oldest once full; ResetLayerState forgets them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32.h"

constexpr size_t kAccountCacheSize = 256;

// One answer of NSS: the account of a kind (kUnixUserSid or kUnixGroupSid)
// with this id and name, or that the id or name asked for has none.
struct CachedAccount {
  DWORD kind;
  bool exists;
  DWORD id;          // as asked by id, or as found by name
  std::string name;  // as found by id, or as asked by name
};

struct AccountRing {
  std::vector<CachedAccount> entries;
  size_t oldest = 0;  // replaced next once the ring is full
};

struct AccountCache {
  AccountRing byId;
  AccountRing byName;
};

// The name of the account of kind with id: ERROR_SUCCESS, ERROR_NONE_MAPPED
// when it has none, or the error of the lookup.
DWORD FindUnixAccountName(DWORD kind, DWORD id, std::string& name);

// The id of the account of kind named name, as given or else in lower case
// (Linux names are mostly lower case; Windows ignores case): ERROR_SUCCESS,
// ERROR_NONE_MAPPED or the error of the lookup.
DWORD FindUnixAccountId(DWORD kind, const std::string& name, DWORD& id);
