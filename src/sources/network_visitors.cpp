// What the loops do with each server and share they find: every server is
// counted and its shares walked, followed by its ~S line; every visible
// share is expanded and walked like a drive.
#include <cstdint>
#include <string>

#include "base/settings.h"
#include "base/statistics.h"
#include "output/console.h"
#include "output/standard_output.h"
#include "platform/win32_network.h"
#include "sources/network_loops.h"
#include "sources/network_names.h"
#include "sources/wildcard_path.h"

namespace {

void PrintServerLine(const WCHAR* domain, const WCHAR* server, int32_t locations, int32_t files, double bytes) {
  const PlaceholderEntry table[] = {
      {PK_WTEXT, 'D', domain},     {PK_WTEXT, 'S', server},  {PK_NUMBER, 'e', &locations},
      {PK_NUMBER, 'T', &files},    {PK_DOUBLE, 's', &bytes}, {PK_END, 0, nullptr},
  };
  PrintListingLine(ServerFormat, table);
}

bool EndsInDollar(const WCHAR* name) {
  int length = 0;
  while (name[length]) length++;
  return length > 0 && name[length - 1] == '$';
}

// The share table of the hidden-share levels.
bool VisibleAtLevel(DWORD type, const WCHAR* name, int32_t level) {
  if (type == STYPE_DISKTREE) return !(EndsInDollar(name) && level == 2);
  bool driveAdministration = name[0] && name[1] == '$' && name[2] == 0;
  return driveAdministration && level == 0;
}

}  // namespace

void ServerVisitor(const WCHAR* domain, const WCHAR* server) {
  Stats.ServerCounter++;
  int32_t locationsBefore = Stats.LocationCounter;
  int32_t filesBefore = Stats.Files;
  double bytesBefore = Stats.Bytes;
  ShareLoop(domain, server, SharePattern, ShareVisitor);
  if (ServerFormat[0]) {
    PrintServerLine(domain, server, Stats.LocationCounter - locationsBefore, Stats.Files - filesBefore,
                    Stats.Bytes - bytesBefore);
  }
}

void ShareVisitor(const WCHAR* domain, const WCHAR* server, const WCHAR* share) {
  NetName domainText, serverText, shareText;
  if (!ToNetName(domain, domainText) || !ToNetName(server, serverText) || !ToNetName(share, shareText)) {
    PrintError("KELTRO-ERROR, '%s\\%s': name longer than %d characters, skipped\n", AnsiName(server).c_str(),
               AnsiName(share).c_str(), NetNameCapacity - 1);
    return;
  }
  if (!ShareIsVisible(server, share, HiddenShareLevel)) return;
  ExpandWildcardPath(domainText, serverText, shareText, DirectoryPart, FilePatterns);
}

bool ShareIsVisible(const WCHAR* server, const WCHAR* share, int32_t level) {
  std::basic_string<WCHAR> serverName(server), shareName(share);  // the call takes them writable
  LPBYTE buffer = nullptr;
  DWORD status = NetShareGetInfo(serverName.data(), shareName.data(), 502, &buffer);
  if (status != NERR_Success) {
    PrintError("KELTRO-ERROR, NetShareGetInfo(%s) failed, error=%ld\n", AnsiName(share).c_str(), (long)status);
    if (buffer) NetApiBufferFree(buffer);
    return false;
  }
  bool visible = VisibleAtLevel(((const SHARE_INFO_502*)buffer)->shi502_type, share, level);
  NetApiBufferFree(buffer);
  return visible;
}
