// Accounts and owners: the owner of a file as domain and user, a SID as its
// account name, and an account name as its SID.
#include "security/accounts.h"

#include <cstring>

#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "platform/win32.h"
#include "security/domain_controller.h"

namespace {

constexpr int OwnerDescriptorSize = 512;

// The local built-in domains of English and German systems, in the ANSI code
// page (0xC4 is the A with umlaut). Compared exactly and whole.
const char* const BuiltinDomains[] = {"BUILTIN", "VORDEFINIERT", "NT AUTHORITY", "NT AUTORIT\xC4T"};

bool IsBuiltinDomain(const char* domain) {
  for (const char* builtin : BuiltinDomains) {
    if (strcmp(domain, builtin) == 0) return true;
  }
  return false;
}

// The two texts compared in the ANSI code page without regard to case.
bool SameIgnoringCase(const char* a, const char* b) {
  char upperA[AccountPartCapacity];
  char upperB[AccountPartCapacity];
  if (!CopyText(upperA, a) || !CopyText(upperB, b)) return false;
  CharUpperA(upperA);
  CharUpperA(upperB);
  return strcmp(upperA, upperB) == 0;
}

// Names the owner of `path` into `user` and `domain`. Null on success, else
// the word the user part shows, after the message saying why.
const char* ReadOwnerName(const char* systemName, const char* path, char* user, char* domain) {
  alignas(8) static unsigned char descriptor[OwnerDescriptorSize];
  DWORD needed = 0;
  if (!GetFileSecurityA(path, OWNER_SECURITY_INFORMATION, descriptor, sizeof descriptor, &needed)) {
    DWORD error = GetLastError();
    PrintError("GetFileSecurity() for '%s' failed, error=%ld\n", path, (long)error);
    return error == ERROR_ACCESS_DENIED ? "AccessDenied" : "ERROR";
  }
  if (!IsValidSecurityDescriptor(descriptor)) {
    PrintError("Security Descriptor is invalid, error=%ld\n", (long)GetLastError());
    return "ERROR";
  }
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted)) {
    DWORD error = GetLastError();
    PrintError("GetSecurityDescriptorOwner() failed, error=%ld\n", (long)error);
    return error == ERROR_ACCESS_DENIED ? "AccessDenied" : "ERROR";
  }
  DWORD userSize = AccountPartCapacity;
  DWORD domainSize = AccountPartCapacity;
  SID_NAME_USE use;
  if (!LookupAccountSidA(systemName, owner, user, &userSize, domain, &domainSize, &use)) {
    DWORD error = GetLastError();
    if (error == ERROR_NONE_MAPPED) return "AccountUnknown";
    PrintError("LookupAccountSid() failed for %s, error=%ld\n", path, (long)error);
    PrintError("Required:%ld,%ld\n", (long)userSize, (long)domainSize);
    return "ERROR";
  }
  return nullptr;
}

// Splits `user` or `domain\user` at the first backslash. False when a part
// is longer than AccountPartCapacity - 1 characters.
bool SplitAccountName(const char* accountName, char* domain, char* user) {
  const char* slash = strchr(accountName, '\\');
  if (!slash) {
    domain[0] = '\0';
    return CopyText(user, AccountPartCapacity, accountName);
  }
  bool domainFits = CopyTextN(domain, AccountPartCapacity, accountName, (size_t)(slash - accountName));
  return CopyText(user, AccountPartCapacity, slash + 1) && domainFits;
}

// The system on which the user part of an account in `domain` is looked up:
// the domain's controller for a domain that is neither empty nor built in,
// when one is found; the given system otherwise.
const char* ChooseLookupSystem(const char* systemName, const char* domain, char* controller) {
  if (!domain[0] || IsBuiltinDomain(domain)) return systemName;
  FindDomainController(domain, controller, AccountPartCapacity);
  return controller[0] ? controller : systemName;
}

}  // namespace

void GetOwnerText(const char* systemName, const char* path, char* user, char* domain) {
  const char* fallback = ReadOwnerName(systemName, path, user, domain);
  if (fallback) {
    CopyText(user, AccountPartCapacity, fallback);
    CopyText(domain, AccountPartCapacity, "ERROR");
  } else if (!user[0]) {
    CopyText(user, AccountPartCapacity, "AccountDeleted");
  }
}

bool NameToSid(const char* systemName, const char* accountName, void* sid) {
  char domain[AccountPartCapacity];
  char user[AccountPartCapacity];
  if (!SplitAccountName(accountName, domain, user)) {
    // No account has a longer part: the lookups name at most 23 characters.
    PrintError("ASEC-ERROR, LookupAccountName(%s) failed, error=%ld\n", accountName, (long)ERROR_NONE_MAPPED);
    return false;
  }
  char controller[AccountPartCapacity] = "";
  const char* system = ChooseLookupSystem(systemName, domain, controller);
  DWORD sidSize = SidBufferSize;
  char returnedDomain[AccountPartCapacity] = "";
  DWORD returnedDomainSize = AccountPartCapacity;
  SID_NAME_USE use;
  if (!LookupAccountNameA(system, user, sid, &sidSize, returnedDomain, &returnedDomainSize, &use)) {
    PrintError("ASEC-ERROR, LookupAccountName(%s) failed, error=%ld\n", accountName, (long)GetLastError());
    return false;
  }
  if (domain[0] && !SameIgnoringCase(domain, returnedDomain)) {
    PrintError("ASEC-ERROR, LookupAccountName(%s) failed\n", accountName);
    PrintError("ASEC-ERROR, target domain '%s' != resulting domain '%s'\n", domain, returnedDomain);
    return false;
  }
  return true;
}

bool SidToName(const char* systemName, void* sid, char* domain, char* name) {
  DWORD nameSize = AccountPartCapacity;
  DWORD domainSize = AccountPartCapacity;
  SID_NAME_USE use;
  domain[0] = '\0';
  if (LookupAccountSidA(systemName, sid, name, &nameSize, domain, &domainSize, &use)) {
    if (!name[0]) CopyText(name, AccountPartCapacity, "AccountDeleted");
    return true;
  }
  DWORD error = GetLastError();
  domain[0] = '\0';
  if (error == ERROR_NONE_MAPPED) {
    CopyText(name, AccountPartCapacity, "AccountUnknown");
    PrintError("ASEC-ERROR, SID unknown\n");
  } else {
    CopyText(name, AccountPartCapacity, "ERROR");
    PrintError("ASEC-ERROR, LookupAccountSid() failed, error=%ld\n", (long)error);
    PrintError("ASEC-ERROR, Required:%ld,%ld\n", (long)nameSize, (long)domainSize);
  }
  return false;
}
