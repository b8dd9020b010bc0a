// The domain, server and share loops: each takes its part of the source as
// it is when it holds no wildcard, and otherwise enumerates the network (or
// reads the static server list) and visits every name that matches.
#include "sources/network_loops.h"

#include <string>

#include "base/settings.h"
#include "match/pattern_match.h"
#include "output/standard_output.h"
#include "platform/win32_network.h"
#include "sources/network_names.h"

namespace {

constexpr DWORD DomainEnumSize = 8192;
constexpr DWORD ServerEnumSize = 16384;
constexpr DWORD ShareEnumSize = 65536;
constexpr DWORD ListNameCapacity = 260;

// The name of the static server list: true when SERVERLIST is set, with
// `name` holding it, or empty when it is longer than the area (reported).
bool ServerListFile(char (&name)[ListNameCapacity]) {
  DWORD length = GetEnvironmentVariableA("SERVERLIST", name, ListNameCapacity);
  if (length == 0) return false;
  if (length >= ListNameCapacity) {
    PrintError("LISTLOOP-ERROR, SERVERLIST longer than %ld characters\n", (long)ListNameCapacity - 1);
    name[0] = '\0';
  }
  return true;
}

// ListLoop over the SERVERLIST file; 0 when it was read, else the code of
// the failure (reported).
DWORD ListLoopResult(const char* listFile, const char* domainText, const char* serverPattern,
                     ServerVisitorProc visitor) {
  if (!listFile[0]) return ERROR_FILENAME_EXCED_RANGE;
  return ListLoop(listFile, domainText, serverPattern, visitor) ? 0 : GetLastError();
}

void ReleaseBuffer(LPBYTE buffer) {
  if (buffer) NetApiBufferFree(buffer);
}

// The workstation's domain into `domain`, which stays empty when it cannot be read.
void FillWorkstationDomain(WCHAR* domain) {
  LPBYTE buffer = nullptr;
  if (NetWkstaGetInfo(nullptr, 100, &buffer) == NERR_Success) {
    CopyWideName(domain, DomainNameCapacity, ((const WKSTA_INFO_100*)buffer)->wki100_langroup);
  }
  ReleaseBuffer(buffer);
}

// "\\" and the computer name into `server`; false when it does not fit.
bool JoinServerName(const WCHAR* computer, WCHAR (&server)[ServerNameCapacity]) {
  server[0] = server[1] = '\\';
  return CopyWideName(server + 2, ServerNameCapacity - 2, computer);
}

// The server a pattern without wildcards names (the local computer when it
// is empty) into `server`; false (reported) when there is none.
bool NamedServer(const char* pattern, WCHAR (&server)[ServerNameCapacity]) {
  WCHAR computer[ServerNameCapacity];
  if (!pattern[0]) {
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(computer, &size)) {
      PrintError("SERVERLOOP-ERROR, GetComputerName() failed, error=%ld\n", (long)GetLastError());
      return false;
    }
  } else if (!ToGivenName(pattern, computer, ServerNameCapacity - 2, "SERVERLOOP", "server")) {
    return false;
  }
  return JoinServerName(computer, server);
}

// Visits the enumerated servers that match the pattern.
void VisitServers(const WCHAR* domain, const char* domainText, const SERVER_INFO_101* servers, DWORD count,
                  const char* serverPattern, ServerVisitorProc visitor) {
  for (DWORD i = 0; i < count; ++i) {
    NetName name;
    if (!MatchNetName(servers[i].sv101_name, serverPattern, "SERVERLOOP", "server", name)) continue;
    if (Verbose) {
      PrintOutput("SERVERLOOP-INFO, server '%s' (%ld of %ld in %s)\n", name, (long)i + 1, (long)count,
                  domainText);
    }
    WCHAR server[ServerNameCapacity];
    JoinServerName(servers[i].sv101_name, server);
    visitor(domain, server);
  }
}

}  // namespace

DWORD DomainLoop(const char* domainPattern, const char* serverPattern, ServerVisitorProc visitor) {
  if (!HasWildcards(domainPattern)) {
    WCHAR domain[DomainNameCapacity];
    if (!ToGivenName(domainPattern, domain, DomainNameCapacity, "DOMAINLOOP", "domain")) {
      return ERROR_INVALID_PARAMETER;
    }
    return ServerLoop(domain, serverPattern, visitor);
  }
  char listFile[ListNameCapacity];
  if (ServerListFile(listFile)) return ListLoopResult(listFile, domainPattern, serverPattern, visitor);

  LPBYTE buffer = nullptr;
  DWORD count = 0, total = 0;
  DWORD status = NetServerEnum(nullptr, 100, &buffer, DomainEnumSize, &count, &total, SV_TYPE_DOMAIN_ENUM,
                               nullptr, nullptr);
  if (status != NERR_Success) {
    PrintError("DOMAINLOOP-ERROR, NetServerEnum(%s) failed, error=%ld\n", domainPattern, (long)status);
    ReleaseBuffer(buffer);
    return status;
  }
  const SERVER_INFO_100* domains = (const SERVER_INFO_100*)buffer;
  for (DWORD i = 0; i < count; ++i) {
    NetName name;
    if (!MatchNetName(domains[i].sv100_name, domainPattern, "DOMAINLOOP", "domain", name)) continue;
    if (Verbose) PrintOutput("DOMAINLOOP-INFO, domain '%s' (%ld of %ld)\n", name, (long)i + 1, (long)count);
    ServerLoop(domains[i].sv100_name, serverPattern, visitor);
  }
  ReleaseBuffer(buffer);
  return 0;
}

DWORD ServerLoop(const WCHAR* givenDomain, const char* serverPattern, ServerVisitorProc visitor) {
  WCHAR domain[DomainNameCapacity];
  CopyWideName(domain, DomainNameCapacity, givenDomain);
  if (!domain[0]) FillWorkstationDomain(domain);

  if (!HasWildcards(serverPattern)) {
    WCHAR server[ServerNameCapacity];
    if (NamedServer(serverPattern, server)) visitor(domain, server);
    return 0;
  }
  std::string domainText = AnsiName(domain);
  char listFile[ListNameCapacity];
  if (ServerListFile(listFile)) return ListLoopResult(listFile, domainText.c_str(), serverPattern, visitor);

  LPBYTE buffer = nullptr;
  DWORD count = 0, total = 0;
  DWORD status =
      NetServerEnum(nullptr, 101, &buffer, ServerEnumSize, &count, &total, SV_TYPE_NT, domain, nullptr);
  if (status != NERR_Success) {
    // More data than the preferred size (234) fails too: no server is visited.
    PrintError("SERVERLOOP-ERROR, NetServerEnum(%s) failed, error=%ld\n", domainText.c_str(), (long)status);
    ReleaseBuffer(buffer);
    return status;
  }
  VisitServers(domain, domainText.c_str(), (const SERVER_INFO_101*)buffer, count, serverPattern, visitor);
  ReleaseBuffer(buffer);
  return 0;
}

DWORD ShareLoop(const WCHAR* domain, const WCHAR* server, const char* sharePattern, ShareVisitorProc visitor) {
  if (!sharePattern[0]) return ERROR_INVALID_PARAMETER;
  if (!HasWildcards(sharePattern)) {
    WCHAR share[NetNameCapacity];
    if (!ToGivenName(sharePattern, share, NetNameCapacity, "SHARELOOP", "share")) return ERROR_INVALID_PARAMETER;
    visitor(domain, server, share);
    return 0;
  }
  std::basic_string<WCHAR> serverName(server);  // the call takes it writable
  LPBYTE buffer = nullptr;
  DWORD count = 0, total = 0;
  DWORD status = NetShareEnum(serverName.data(), 0, &buffer, ShareEnumSize, &count, &total, nullptr);
  if (status != NERR_Success) {
    PrintError("SHARELOOP-ERROR, NetShareEnum(%s) failed, error=%ld\n", AnsiName(server).c_str(), (long)status);
    ReleaseBuffer(buffer);
    return status;
  }
  const SHARE_INFO_0* shares = (const SHARE_INFO_0*)buffer;
  for (DWORD i = 0; i < count; ++i) {
    NetName name;
    if (MatchNetName(shares[i].shi0_netname, sharePattern, "SHARELOOP", "share", name)) {
      visitor(domain, server, shares[i].shi0_netname);
    }
  }
  ReleaseBuffer(buffer);
  return 0;
}
