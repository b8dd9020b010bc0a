// The run's ownership set-up: the process token, its owner, the descriptor
// every take-over applies, and the two privileges. It lives for the run.
#include "security/ownership.h"

#include <cstring>
#include <string>

#include "output/standard_output.h"
#include "platform/win32.h"
#include "security/accounts.h"

namespace {

struct OwnershipState {
  bool done = false;
  HANDLE process = nullptr;
  HANDLE token = nullptr;
  alignas(8) unsigned char tokenOwner[256] = {};
  SECURITY_DESCRIPTOR self = {};
};

OwnershipState Ownership;

// The descriptor an owner change applies, and the system and owner name of
// the build it holds (none while `built` is false).
struct OwnerChange {
  bool built = false;
  std::string systemName;
  std::string ownerName;
  alignas(8) unsigned char sid[SidBufferSize] = {};
  SECURITY_DESCRIPTOR descriptor = {};
};

OwnerChange ChangedOwner;

bool Fail(const char* message) {
  PrintError(message, (long)GetLastError());
  return false;
}

// Resolves `ownerName` on `systemName` into the owner descriptor.
bool BuildOwnerDescriptor(const char* systemName, const char* ownerName) {
  alignas(8) unsigned char sid[SidBufferSize];
  if (!NameToSid(systemName, ownerName, sid)) return false;
  ChangedOwner.built = false;
  memcpy(ChangedOwner.sid, sid, sizeof sid);
  if (!InitializeSecurityDescriptor(&ChangedOwner.descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&ChangedOwner.descriptor, ChangedOwner.sid, FALSE)) {
    PrintError("SetSecurityDescriptorOwner() to '%s' failed, error=%ld\n", ownerName, (long)GetLastError());
    return false;
  }
  ChangedOwner.systemName = systemName;
  ChangedOwner.ownerName = ownerName;
  ChangedOwner.built = true;
  return true;
}

}  // namespace

bool InitOwnership(void) {
  if (Ownership.done) return true;
  Ownership.process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  if (!Ownership.process) return Fail("OpenProcess() failed, error=%ld\n");
  if (!OpenProcessToken(Ownership.process, TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                        &Ownership.token)) {
    return Fail("OpenProcessToken() failed, error=%ld\n");
  }
  DWORD needed = 0;
  if (!GetTokenInformation(Ownership.token, TokenOwner, Ownership.tokenOwner, sizeof Ownership.tokenOwner,
                           &needed)) {
    DWORD error = GetLastError();
    PrintOutput("Required bytes: %ld not %ld\n", (long)needed, (long)sizeof Ownership.tokenOwner);
    SetLastError(error);
    return Fail("GetTokenInformation(TOKEN_OWNER) failed, error=%ld\n");
  }
  PSID owner = reinterpret_cast<TOKEN_OWNER*>(Ownership.tokenOwner)->Owner;
  if (!InitializeSecurityDescriptor(&Ownership.self, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&Ownership.self, owner, FALSE)) {
    return Fail("SetSecurityDescriptorOwner() to ourselves failed, error=%ld\n");
  }
  if (!SetSecurityDescriptorDacl(&Ownership.self, TRUE, nullptr, FALSE)) {
    return Fail("SetSecurityDescriptorDacl(NULL) failed, error=%ld\n");
  }
  if (!SetPriv(SE_TAKE_OWNERSHIP_NAME)) return Fail("SetPriv(SE_TAKE_OWNERSHIP_NAME) failed, error=%ld\n");
  if (!SetPriv(SE_RESTORE_NAME)) return Fail("SetPriv(SE_RESTORE_NAME) failed, error=%ld\n");
  Ownership.done = true;
  return true;
}

bool SetPriv(const char* privilegeName) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueA(nullptr, privilegeName, &privileges.Privileges[0].Luid)) {
    return Fail("LookupPrivilegeValue() failed, error=%ld\n");
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!AdjustTokenPrivileges(Ownership.token, FALSE, &privileges, sizeof privileges, nullptr, nullptr)) {
    return Fail("AdjustTokenPrivileges() failed, error=%ld\n");
  }
  return true;
}

bool TakeOwnership(const char* path) {
  if (!Ownership.done) InitOwnership();
  if (!SetFileSecurityA(path, OWNER_SECURITY_INFORMATION, &Ownership.self)) {
    PrintError("ASEC-ERROR, TakeOwnership(%s) failed, error=%ld\n", path, (long)GetLastError());
    return false;
  }
  if (!SetFileSecurityA(path, DACL_SECURITY_INFORMATION, &Ownership.self)) {
    PrintError("ASEC-ERROR, RemoveDacl(%s) failed, error=%ld\n", path, (long)GetLastError());
    return false;
  }
  PrintOutput("ASEC-INFO, took ownership of %s\n", path);
  return true;
}

bool SetOwnerByName(const char* systemName, const char* path, const char* ownerName) {
  if (!systemName) systemName = "";  // the local machine
  bool same = ChangedOwner.built && ChangedOwner.systemName == systemName && ChangedOwner.ownerName == ownerName;
  if (!same && !BuildOwnerDescriptor(systemName, ownerName)) return false;
  if (!SetFileSecurityA(path, OWNER_SECURITY_INFORMATION, &ChangedOwner.descriptor)) {
    PrintError("SetFileSecurity() for '%s' failed, error=%ld\n", path, (long)GetLastError());
    return false;
  }
  return true;
}
