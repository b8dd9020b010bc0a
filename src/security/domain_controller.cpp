// The domain-controller lookup: the primary controller of the local
// machine's domain is asked for a controller of the other domain. It sits
// with the accounts, below the network loops, because the account lookup
// calls it.
#include "security/domain_controller.h"

#include "platform/win32_network.h"

DWORD FindDomainController(const WCHAR* domain, WCHAR* controller) {
  controller[0] = 0;
  if (!domain || !domain[0]) return 0;
  LPBYTE primary = nullptr;
  DWORD status = NetGetDCName(nullptr, nullptr, &primary);
  if (status != NERR_Success) {
    if (primary) NetApiBufferFree(primary);
    return status;
  }
  LPBYTE answer = nullptr;
  status = NetGetDCName((LPCWSTR)primary, domain, &answer);
  NetApiBufferFree(primary);
  if (status != NERR_Success) {
    if (answer) NetApiBufferFree(answer);
    return status;
  }
  const WCHAR* name = (const WCHAR*)answer;
  int length = 0;
  for (; name[length] && length < ControllerNameCapacity - 1; ++length) controller[length] = name[length];
  controller[length] = 0;
  NetApiBufferFree(answer);
  return 0;
}
