// The network as Samba's client library sees it: a server's shares are the
// listing of smb://SERVER, the browse list's domains and servers the listings
// of smb:// and smb://DOMAIN, the local domain the workgroup of the client's
// configuration. Every call goes through the run's one context, so a silent
// server costs the context's timeout and Samba prints nothing on our output.
#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/layer.h"
#include "platform/posix/netapi_controller.h"
#include "platform/posix/network_backend.h"
#include "platform/posix/smb_context.h"
#include "platform/win32_network.h"

namespace {

struct Listed {
  unsigned kind;  // SMBC_WORKGROUP, SMBC_SERVER, SMBC_FILE_SHARE, ...
  std::string name;
  std::string comment;
};

// The entries of an smb:// URL in the order the server gives them; 0 or
// the Win32 code of the failure (browseFailure when a browse list is asked
// for and none can be found).
DWORD ListUrl(const std::string& url, DWORD browseFailure, std::vector<Listed>& entries) {
  DWORD error = ERROR_SUCCESS;
  SMBCCTX* context = SmbContext(error);
  if (!context) return error;
  errno = 0;
  SMBCFILE* dir = Smb.getFunctionOpendir(context)(context, url.c_str());
  if (!dir) {
    int err = errno;
    return browseFailure && err == ENOENT ? browseFailure : SmbError(err ? err : EIO);
  }
  while (struct smbc_dirent* entry = Smb.getFunctionReaddir(context)(context, dir)) {
    entries.push_back(Listed{entry->smbc_type, std::string(entry->name, entry->namelen),
                             entry->comment ? std::string(entry->comment, entry->commentlen) : std::string()});
  }
  Smb.getFunctionClosedir(context)(context, dir);
  return ERROR_SUCCESS;
}

// The share type for a listed share. The library keeps only the kind of a
// share, not the type word the server sent: IPC$ is the one share Samba marks
// special, and every disk share reads as a plain one (STYPE_DISKTREE).
DWORD ShareType(unsigned kind) {
  switch (kind) {
    case SMBC_PRINTER_SHARE:
      return STYPE_PRINTQ;
    case SMBC_COMMS_SHARE:
      return STYPE_DEVICE;
    case SMBC_IPC_SHARE:
      return STYPE_IPC | STYPE_SPECIAL;
  }
  return STYPE_DISKTREE;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

DWORD SambaListShares(const std::string& server, std::vector<NetShare>& shares) {
  std::vector<Listed> entries;
  DWORD error = ListUrl("smb://" + server, 0, entries);
  if (error) return error;
  for (const Listed& entry : entries) {
    if (entry.kind >= SMBC_FILE_SHARE && entry.kind <= SMBC_IPC_SHARE) {
      shares.push_back(NetShare{entry.name, ShareType(entry.kind), entry.comment});
    }
  }
  return ERROR_SUCCESS;
}

// One share, found in the server's listing (names compare as Windows
// compares them, ignoring case).
DWORD SambaShareInfo(const std::string& server, const std::string& share, NetShare& info) {
  std::vector<NetShare> shares;
  DWORD error = SambaListShares(server, shares);
  if (error) return error;
  for (const NetShare& listed : shares) {
    if (SameNameIgnoringCase(listed.name, share)) {
      info = listed;
      return ERROR_SUCCESS;
    }
  }
  return NERR_NetNameNotFound;
}

// The browse list: workgroups and domains at smb://, the servers of one at
// smb://DOMAIN. Both need a master browser that answers over SMB1.
DWORD SambaListServers(DWORD serverType, const std::string& domain, std::vector<std::string>& names) {
  bool domains = serverType == SV_TYPE_DOMAIN_ENUM;
  if (!domains && domain.empty()) return ERROR_INVALID_PARAMETER;
  std::vector<Listed> entries;
  DWORD error = ListUrl(domains ? "smb://" : "smb://" + domain, ERROR_NO_BROWSER_SERVERS_FOUND, entries);
  if (error) return error;
  unsigned wanted = domains ? SMBC_WORKGROUP : SMBC_SERVER;
  for (const Listed& entry : entries) {
    if (entry.kind == wanted) names.push_back(entry.name);
  }
  return ERROR_SUCCESS;
}

// The workgroup of the client's Samba configuration (Samba's default,
// WORKGROUP, when it names none).
DWORD SambaLocalDomain(std::string& domain) {
  DWORD error = ERROR_SUCCESS;
  SMBCCTX* context = SmbContext(error);
  if (!context) return error;
  const char* workgroup = Smb.getWorkgroup(context);
  domain = workgroup && *workgroup ? workgroup : "WORKGROUP";
  return ERROR_SUCCESS;
}

// Domain controllers: libnetapi's NetGetDCName, in a child with a time limit.
DWORD SambaDomainController(const std::string& server, const std::string& domain, std::string& controller) {
  return AskDomainController(server, domain, controller);
}

}  // namespace

NetworkBackend Network = {SambaListShares, SambaShareInfo, SambaListServers, SambaLocalDomain,
                          SambaDomainController};
