#include "platform/posix/file_rights.h"

namespace {

// Indexed by the permission bits (r 4, w 2, x 1).
constexpr DWORD kRightsOfPerms[8] = {
    0,
    FILE_GENERIC_EXECUTE,
    FILE_GENERIC_WRITE,
    FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE,
    FILE_GENERIC_READ,
    FILE_GENERIC_READ | FILE_GENERIC_EXECUTE,
    FILE_GENERIC_READ | FILE_GENERIC_WRITE,
    FILE_ALL_ACCESS,
};
static_assert(kRightsOfPerms[5] == 0x001200A9 && kRightsOfPerms[7] == 0x001F01FF);

struct PermRights {
  unsigned perm;
  DWORD rights;  // any of them carries perm
};
constexpr PermRights kRightsCarrying[] = {
    {kPermRead, GENERIC_READ | FILE_READ_DATA | FILE_READ_EA},
    {kPermWrite, GENERIC_WRITE | FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA},
    {kPermExecute, GENERIC_EXECUTE | FILE_EXECUTE},
};

}  // namespace

DWORD RightsOfPerms(unsigned perms) { return kRightsOfPerms[perms & 7]; }

unsigned PermsOfRights(DWORD mask) {
  if ((mask & GENERIC_ALL) || (mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS) return 7;
  unsigned perms = 0;
  for (const PermRights& carrying : kRightsCarrying)
    if (mask & carrying.rights) perms |= carrying.perm;
  return perms;
}
