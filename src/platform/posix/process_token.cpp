// The process, its token and privileges. keltro asks only for its own
// process, and only for the token's owner: the effective user, as the SID
// S-1-22-1-euid. Privileges are looked up by name and their adjustment always
// succeeds: what the process may do is the kernel's decision (root, or
// CAP_CHOWN, CAP_FOWNER and CAP_DAC_OVERRIDE), made when it acts.
#include <strings.h>
#include <unistd.h>


#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/unix_sid.h"

namespace {

// Neither the process nor its token holds anything of the system's.
bool CloseProcess(LayerHandle* handle) {
  delete handle;
  return true;
}
bool CloseToken(LayerHandle* handle) {
  delete handle;
  return true;
}

// Windows' numbers for the privileges keltro may name.
struct Privilege {
  const char* name;
  DWORD luid;
};
constexpr Privilege kPrivileges[] = {
    {"SeSecurityPrivilege", 8}, {"SeTakeOwnershipPrivilege", 9}, {"SeBackupPrivilege", 17},
    {"SeRestorePrivilege", 18}, {"SeChangeNotifyPrivilege", 23},
};

}  // namespace

DWORD GetCurrentProcessId(void) { return (DWORD)getpid(); }

// Another process cannot be opened: 5.
HANDLE OpenProcess(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId) {
  if (dwProcessId != GetCurrentProcessId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new LayerHandle{CloseProcess});
}

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) {
  if (!LookupHandle(ProcessHandle, CloseProcess)) return FailWith(ERROR_INVALID_HANDLE);
  if (!TokenHandle) return FailWith(ERROR_INVALID_PARAMETER);
  *TokenHandle = RegisterHandle(new LayerHandle{CloseToken});
  return Succeed();
}

// TokenOwner only: a TOKEN_OWNER whose SID follows it in the buffer. A
// buffer too small gives 122 and the size needed.
BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                         LPVOID TokenInformation, DWORD TokenInformationLength, LPDWORD ReturnLength) {
  if (!LookupHandle(TokenHandle, CloseToken)) return FailWith(ERROR_INVALID_HANDLE);
  if (TokenInformationClass != TokenOwner) return FailWith(ERROR_INVALID_PARAMETER);
  constexpr DWORD needed = sizeof(TOKEN_OWNER) + kUnixSidSize;
  if (ReturnLength) *ReturnLength = needed;
  if (!TokenInformation || TokenInformationLength < needed) return FailWith(ERROR_INSUFFICIENT_BUFFER);
  TOKEN_OWNER* owner = static_cast<TOKEN_OWNER*>(TokenInformation);
  owner->Owner = owner + 1;
  WriteUnixSid(owner->Owner, kUnixUserSid, (DWORD)geteuid());
  return Succeed();
}

// Names are compared ignoring case, as Windows does; an unknown one gives 1313.
BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid) {
  if (!lpName || !lpLuid) return FailWith(ERROR_INVALID_PARAMETER);
  for (const Privilege& privilege : kPrivileges) {
    if (strcasecmp(privilege.name, lpName) != 0) continue;
    *lpLuid = LUID{privilege.luid, 0};
    return Succeed();
  }
  return FailWith(ERROR_NO_SUCH_PRIVILEGE);
}

// The previous state, when asked for, lists no privilege.
BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PTOKEN_PRIVILEGES NewState,
                           DWORD BufferLength, PTOKEN_PRIVILEGES PreviousState, LPDWORD ReturnLength) {
  if (!LookupHandle(TokenHandle, CloseToken)) return FailWith(ERROR_INVALID_HANDLE);
  if (PreviousState && BufferLength < sizeof(DWORD)) return FailWith(ERROR_INSUFFICIENT_BUFFER);
  if (PreviousState) PreviousState->PrivilegeCount = 0;
  if (ReturnLength) *ReturnLength = PreviousState ? sizeof(DWORD) : 0;
  return Succeed();
}
