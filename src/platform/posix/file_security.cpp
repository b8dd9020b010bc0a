// SetFileSecurityA over POSIX owners and permissions.
//
// - Owner: S-1-22-1-uid becomes that uid (fchownat; the group stays); a
//   group SID as owner gives 1307, as Samba answers; any other SID 1332.
// - Group: S-1-22-2-gid becomes that gid; a user SID gives 1308, another 1332.
// - DACL: a null one (or none) gives everyone full access: a directory's
//   mode is opened to rwx for all, a file's to rw for all with its x bits
//   kept (and without set-user-ID and set-group-ID, which a change of owner
//   drops as well); the POSIX ACLs are removed. A list of entries is not
//   served yet: 50.
// The entry is acted on as the lookup located it; a link itself, which has
// an owner but no permissions of its own.
#include <cerrno>

#include "platform/posix/layer.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/security_descriptor.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/unix_sid.h"

namespace {

constexpr DWORD kNoneMapped = 1332;          // ERROR_NONE_MAPPED
constexpr DWORD kInvalidPrimaryGroup = 1308;  // ERROR_INVALID_PRIMARY_GROUP
constexpr uid_t kKeep = (uid_t)-1;

// What the call changes, checked before anything is.
struct SecurityChange {
  uid_t owner = kKeep;
  gid_t group = (gid_t)kKeep;
  bool openToEveryone = false;
};

DWORD IdOf(PSID sid, DWORD wantedKind, DWORD otherKindError, DWORD& id) {
  DWORD kind;
  if (!ReadUnixSid(sid, kind, id)) return kNoneMapped;
  return kind == wantedKind ? ERROR_SUCCESS : otherKindError;
}

DWORD ChangeOf(SECURITY_INFORMATION info, const DescriptorParts& parts, SecurityChange& change) {
  DWORD id;
  if (info & OWNER_SECURITY_INFORMATION) {
    if (DWORD err = IdOf(parts.owner, kUnixUserSid, ERROR_INVALID_OWNER, id)) return err;
    change.owner = id;
  }
  if (info & GROUP_SECURITY_INFORMATION) {
    if (DWORD err = IdOf(parts.group, kUnixGroupSid, kInvalidPrimaryGroup, id)) return err;
    change.group = id;
  }
  if (info & DACL_SECURITY_INFORMATION) {
    if (parts.daclPresent && parts.dacl) return ERROR_NOT_SUPPORTED;
    change.openToEveryone = true;
  }
  return ERROR_SUCCESS;
}

int RemoveAcl(int fd, const char* name) {
  if (Sys.fremovexattr(fd, name) == 0 || errno == ENODATA || errno == ENOTSUP) return 0;
  return errno;
}

// A file system without POSIX ACLs has none to remove. Only files and
// directories are opened for it: opening a device may act on it.
int OpenToEveryone(const LocatedPath& located) {
  mode_t mode = located.stx.stx_mode;
  if (S_ISLNK(mode)) return 0;
  bool isDirectory = S_ISDIR(mode);
  mode_t opened = isDirectory ? (mode & 07777) | 0777 : (mode & 01777) | 0666;
  if (Sys.chmod(located.dirFd, located.name.c_str(), opened) != 0) return errno;
  if (!isDirectory && !S_ISREG(mode)) return 0;
  int fd = Sys.open(located.dirFd, located.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return errno;
  int err = RemoveAcl(fd, "system.posix_acl_access");
  if (!err && isDirectory) err = RemoveAcl(fd, "system.posix_acl_default");
  Sys.close(fd);
  return err;
}

}  // namespace

// Information other than owner, group and DACL is ignored.
BOOL SetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION SecurityInformation,
                      PSECURITY_DESCRIPTOR pSecurityDescriptor) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return FailWith(ERROR_INVALID_SECURITY_DESCR);
  SecurityChange change;
  if (DWORD err = ChangeOf(SecurityInformation, parts, change)) return FailWith(err);
  LocatedPath located;
  if (DWORD err = LocateExisting(lpFileName, located)) return FailWith(err);
  if ((change.owner != kKeep || change.group != (gid_t)kKeep) &&
      Sys.chown(located.dirFd, located.name.c_str(), change.owner, change.group) != 0)
    return FailWith(Win32ErrorFromErrno(errno));
  if (change.openToEveryone) {
    if (int err = OpenToEveryone(located)) return FailWith(Win32ErrorFromErrno(err));
  }
  return Succeed();
}
