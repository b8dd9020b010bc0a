// The owner and permission changes of set. The DACL built from a permission
// text is kept with that text and applied again while the text stays the
// same, whatever the system name: a /G text is resolved once per run.
#include "actions/security_actions.h"

#include <cstring>

#include "actions/action_pattern.h"
#include "base/bounded_text.h"
#include "security/build_acl.h"
#include "security/ownership.h"

namespace {

constexpr int PermissionTextCapacity = 1024;  // 1,023 characters and the terminator

// The descriptor of ApplyPermissions and the text it was built from. A text
// longer than the store is built for its own object and never kept, so the
// next object builds again.
struct PermissionDescriptor {
  bool kept = false;
  char text[PermissionTextCapacity] = {};
  SECURITY_DESCRIPTOR descriptor = {};
  alignas(8) unsigned char dacl[DaclBufferSize] = {};
};

PermissionDescriptor Permissions;

bool BuildPermissions(const char* systemName, const char* path, const char* permissionText) {
  Permissions.kept = false;
  bool fits = CopyText(Permissions.text, permissionText);
  PACL dacl = reinterpret_cast<PACL>(Permissions.dacl);
  InitializeSecurityDescriptor(&Permissions.descriptor, SECURITY_DESCRIPTOR_REVISION);
  BuildAcl(systemName, permissionText, dacl);  // entries that cannot be built are reported and left out
  if (!SetSecurityDescriptorDacl(&Permissions.descriptor, TRUE, dacl, FALSE)) {
    PrintError("ASEC-ERROR, SetSecurityDescriptorDacl(%s) failed, error=%ld\n", path, (long)GetLastError());
    return false;
  }
  Permissions.kept = fits;
  return true;
}

// The line ChangeOwner and ChangePermissions both fail with.
bool OwnerChangeFailed(const char* path) {
  return ActionFailed("KELTRO-ERROR, cannot set owner to %s, error=%ld\n", path, (long)GetLastError());
}

}  // namespace

bool ChangeOwner(const char* systemName, const char* path, const char* ownerName) {
  if (TryAction([&] { return SetOwnerByName(systemName, path, ownerName); }, path)) return true;
  return OwnerChangeFailed(path);
}

bool ChangePermissions(const char* systemName, const char* path, const char* permissionText) {
  if (TryAction([&] { return ApplyPermissions(systemName, path, permissionText); }, path)) return true;
  return OwnerChangeFailed(path);
}

bool ApplyPermissions(const char* systemName, const char* path, const char* permissionText) {
  bool reuse = Permissions.kept && strcmp(Permissions.text, permissionText) == 0;
  if (!reuse && !BuildPermissions(systemName, path, permissionText)) return false;
  if (!SetFileSecurityA(path, DACL_SECURITY_INFORMATION, &Permissions.descriptor)) {
    DWORD error = GetLastError();
    PrintError("ASEC-ERROR, SetFileSecurity(%s) failed, error=%ld\n", path, (long)error);
    SetLastError(error);
    return false;
  }
  return true;
}
