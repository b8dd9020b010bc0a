// The seam between the layer's LAN Manager calls (NetShareEnum and the rest,
// which pack Win32 buffers) and the network itself. Names here are UTF-8;
// results are Win32 or NERR_ codes (0 on success). `Network` holds Samba's
// implementation; tests put a fake network in its place.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

struct NetShare {
  std::string name;
  DWORD type;           // STYPE_DISKTREE ... with STYPE_SPECIAL, as the server reports it
  std::string remark;
};

struct NetworkBackend {
  // The shares of `server` (a computer name, without backslashes).
  DWORD (*listShares)(const std::string& server, std::vector<NetShare>& shares);
  // One share of `server`.
  DWORD (*shareInfo)(const std::string& server, const std::string& share, NetShare& info);
  // The domains (serverType SV_TYPE_DOMAIN_ENUM, domain empty) or the servers
  // of a domain (SV_TYPE_NT) that the browse list knows, in its order.
  DWORD (*listServers)(DWORD serverType, const std::string& domain, std::vector<std::string>& names);
  // The workgroup or domain of the local machine.
  DWORD (*localDomain)(std::string& domain);
  // A domain controller of `domain` as asked of `server` (empty: the local
  // machine), with its leading backslashes.
  DWORD (*domainController)(const std::string& server, const std::string& domain, std::string& controller);
};

extern NetworkBackend Network;
