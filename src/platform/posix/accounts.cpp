// LookupAccountSidA and LookupAccountNameA over the well-known SIDs and the
// Linux accounts, which Samba's mapping names: S-1-22-1-uid is
// "Unix User\name", S-1-22-2-gid "Unix Group\name". A name is looked for
// among the well-known ones first; a bare Linux name is tried as a user,
// then as a group; "Unix User\" or "Unix Group\" before it picks one kind
// (the domain compared ignoring case). With a system name, a SID is named
// as that server named it in the descriptors read from its shares, else by
// the server itself, and a name is looked up on the server
// (server_accounts.h).
//
// Capacities are counted as Windows counts them: characters with the
// terminator for the texts, bytes for the SID. When one is too small both
// receive the size needed and the call fails with 122; on success the texts'
// capacities receive their lengths and the SID's its size.
#include <cstring>
#include <string>
#include <string_view>

#include "platform/posix/layer.h"
#include "platform/posix/name_match.h"
#include "platform/posix/server_accounts.h"
#include "platform/posix/share_files.h"
#include "platform/posix/unix_accounts.h"
#include "platform/posix/unix_sid.h"
#include "platform/posix/well_known_sids.h"

namespace {

constexpr const char* kUnixUserDomain = "Unix User";
constexpr const char* kUnixGroupDomain = "Unix Group";
constexpr DWORD kAccountSidSize = 68;  // a SID's largest size, 15 sub-authorities

// One account, named both ways.
struct Account {
  BYTE sid[kAccountSidSize];
  std::string name;
  std::string domain;
  SID_NAME_USE use;
};

bool IsLocal(LPCSTR systemName) { return !systemName || !*systemName; }

const char* UnixDomain(DWORD kind) { return kind == kUnixUserSid ? kUnixUserDomain : kUnixGroupDomain; }
SID_NAME_USE UnixUse(DWORD kind) { return kind == kUnixUserSid ? SidTypeUser : SidTypeGroup; }

void SetWellKnown(const WellKnownAccount& known, Account& account) {
  memcpy(account.sid, known.sid, known.sidSize);
  account.name = known.name;
  account.domain = known.domain;
  account.use = known.use;
}

void SetUnix(DWORD kind, DWORD id, std::string name, Account& account) {
  WriteUnixSid(account.sid, kind, id);
  account.name = std::move(name);
  account.domain = UnixDomain(kind);
  account.use = UnixUse(kind);
}

DWORD NameSid(PSID sid, Account& account) {
  if (const WellKnownAccount* known = FindWellKnownSid(sid)) {
    SetWellKnown(*known, account);
    return ERROR_SUCCESS;
  }
  DWORD kind, id;
  if (!ReadUnixSid(sid, kind, id)) return ERROR_NONE_MAPPED;
  std::string name;
  if (DWORD err = FindUnixAccountName(kind, id, name)) return err;
  SetUnix(kind, id, std::move(name), account);
  return ERROR_SUCCESS;
}

// The Linux account of kind named name (the name itself is not given back).
DWORD FindUnix(DWORD kind, const std::string& name, Account& account) {
  DWORD id;
  if (DWORD err = FindUnixAccountId(kind, name, id)) return err;
  SetUnix(kind, id, name, account);
  return ERROR_SUCCESS;
}

// accountName is "name" or "domain\\name".
DWORD FindName(std::string_view accountName, Account& account) {
  size_t backslash = accountName.find('\\');
  bool domainGiven = backslash != std::string_view::npos;
  std::string domain(domainGiven ? accountName.substr(0, backslash) : std::string_view());
  std::string name(domainGiven ? accountName.substr(backslash + 1) : accountName);
  const char* domainText = domainGiven ? domain.c_str() : nullptr;
  if (const WellKnownAccount* known = FindWellKnownName(domainText, name.c_str())) {
    SetWellKnown(*known, account);
    return ERROR_SUCCESS;
  }
  if (name.empty()) return ERROR_NONE_MAPPED;
  if (domainGiven) {
    if (NamesEqualIgnoringCase(domainText, kUnixUserDomain)) return FindUnix(kUnixUserSid, name, account);
    if (NamesEqualIgnoringCase(domainText, kUnixGroupDomain)) return FindUnix(kUnixGroupSid, name, account);
    return ERROR_NONE_MAPPED;
  }
  DWORD err = FindUnix(kUnixUserSid, name, account);
  return err == ERROR_NONE_MAPPED ? FindUnix(kUnixGroupSid, name, account) : err;
}

// Whether the text fits capacity characters with its terminator; when not,
// needed receives that count.
bool Fits(const std::string& text, DWORD capacity, DWORD& needed) {
  needed = (DWORD)text.size() + 1;
  return capacity >= needed;
}

void CopyText(const std::string& text, LPSTR buffer) { memcpy(buffer, text.c_str(), text.size() + 1); }

void SetServer(const ServerAccount& answer, Account& account) {
  memcpy(account.sid, answer.sid.data(), answer.sid.size());
  account.name = answer.name;
  account.domain = answer.domain;
  account.use = answer.use;
}

// A SID of a server's descriptor by the name the server gave it, else as the
// server names it when asked (the first answer when it cannot be asked).
DWORD NameServerSid(LPCSTR server, PSID sid, Account& account) {
  DWORD learned = NameSidOfServer(server, sid, account.domain, account.name);
  if (learned == ERROR_SUCCESS) {
    account.use = account.domain.empty() ? SidTypeWellKnownGroup
                  : NamesEqualIgnoringCase(account.domain.c_str(), kUnixGroupDomain) ? SidTypeGroup
                                                                                  : SidTypeUser;
    return ERROR_SUCCESS;
  }
  ServerAccount answer;
  DWORD err = LookupSidOnServer(server, sid, answer);
  if (err == ERROR_SUCCESS) SetServer(answer, account);
  return err == ERROR_BAD_NETPATH ? learned : err;
}

DWORD FindServerName(LPCSTR server, LPCSTR name, Account& account) {
  ServerAccount answer;
  DWORD err = LookupNameOnServer(server, name, answer);
  if (err == ERROR_SUCCESS) SetServer(answer, account);
  return err;
}

}  // namespace

BOOL LookupAccountSidA(LPCSTR lpSystemName, PSID Sid, LPSTR Name, LPDWORD cchName, LPSTR ReferencedDomainName,
                       LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse) {
  if (!Sid || !cchName || !cchReferencedDomainName || !peUse) return FailWith(ERROR_INVALID_PARAMETER);
  if (!IsValidSid(Sid)) return FailWith(ERROR_INVALID_SID);
  Account account;
  DWORD err = IsLocal(lpSystemName) ? NameSid(Sid, account) : NameServerSid(lpSystemName, Sid, account);
  if (err) return FailWith(err);
  DWORD nameNeeded, domainNeeded;
  bool nameFits = Fits(account.name, *cchName, nameNeeded);
  if (!(Fits(account.domain, *cchReferencedDomainName, domainNeeded) && nameFits)) {
    *cchName = nameNeeded;
    *cchReferencedDomainName = domainNeeded;
    return FailWith(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!Name || !ReferencedDomainName) return FailWith(ERROR_INVALID_PARAMETER);
  CopyText(account.name, Name);
  CopyText(account.domain, ReferencedDomainName);
  *cchName = nameNeeded - 1;
  *cchReferencedDomainName = domainNeeded - 1;
  *peUse = account.use;
  return Succeed();
}

BOOL LookupAccountNameA(LPCSTR lpSystemName, LPCSTR lpAccountName, PSID Sid, LPDWORD cbSid,
                        LPSTR ReferencedDomainName, LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse) {
  if (!lpAccountName || !cbSid || !cchReferencedDomainName || !peUse) return FailWith(ERROR_INVALID_PARAMETER);
  Account account;
  DWORD err = IsLocal(lpSystemName) ? FindName(lpAccountName, account)
                                    : FindServerName(lpSystemName, lpAccountName, account);
  if (err) return FailWith(err);
  DWORD sidNeeded = GetLengthSid(account.sid), domainNeeded;
  if (!(Fits(account.domain, *cchReferencedDomainName, domainNeeded) && *cbSid >= sidNeeded)) {
    *cbSid = sidNeeded;
    *cchReferencedDomainName = domainNeeded;
    return FailWith(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!Sid || !ReferencedDomainName) return FailWith(ERROR_INVALID_PARAMETER);
  memcpy(Sid, account.sid, sidNeeded);
  CopyText(account.domain, ReferencedDomainName);
  *cbSid = sidNeeded;
  *cchReferencedDomainName = domainNeeded - 1;
  *peUse = account.use;
  return Succeed();
}
