// GetFileSecurityA and SetFileSecurityA over POSIX owners, modes and ACLs.
//
// Reading: the owner is S-1-22-1-uid, the group S-1-22-2-gid; the DACL is
// the one stored by the last SetFileSecurityA while its fingerprint holds
// (stored_descriptor.h), else the one derived from the mode bits and POSIX
// ACLs (derived_descriptor.h). A link has an owner and a group but no
// permissions of its own (they are never checked): its DACL is the null
// DACL, and nothing is read for it beyond its statx.
//
// Setting:
// - Owner: S-1-22-1-uid becomes that uid (fchownat; the group stays); a
//   group SID as owner gives 1307, as Samba answers; any other SID 1332.
// - Group: S-1-22-2-gid becomes that gid; a user SID gives 1308, another 1332.
// - DACL: a null one (or none) gives everyone full access: a directory's
//   mode is opened to rwx for all, a file's to rw for all with its x bits
//   kept (and without set-user-ID and set-group-ID, which a change of owner
//   drops as well); the POSIX ACLs are removed. A list of entries becomes
//   the closest POSIX ACLs (closest_posix_acl.h); an empty list gives no
//   one any access (mode 000, no ACL). A link cannot have one: 50.
// - Every DACL set on a file or directory is stored with the fingerprint of
//   what it became; a change of owner or group alone stores the DACL shown
//   before again, when it was a stored one, with the new fingerprint.
// The entry is acted on as the lookup located it, never through a link.
// On a share, the descriptor is the server's, read and set as SIDs
// (share_security.cpp).
#include <cerrno>

#include "platform/posix/closest_posix_acl.h"
#include "platform/posix/derived_descriptor.h"
#include "platform/posix/layer.h"
#include "platform/posix/nt_acl.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/security_descriptor.h"
#include "platform/posix/share_files.h"
#include "platform/posix/stored_descriptor.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/unix_sid.h"

namespace {

constexpr DWORD kInvalidPrimaryGroup = 1308;  // ERROR_INVALID_PRIMARY_GROUP
constexpr uid_t kKeep = (uid_t)-1;
constexpr SECURITY_INFORMATION kAllParts =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// What the call changes, checked before anything is.
struct SecurityChange {
  uid_t owner = kKeep;
  gid_t group = (gid_t)kKeep;
  bool setsDacl = false;
  const ACL* dacl = nullptr;  // null with setsDacl: the null DACL
  std::vector<AceEntry> entries;
};

// A DACL as an entry shows it.
struct ShownDacl {
  bool isNull = false;
  std::string acl;       // the ACL's bytes, unless isNull
  bool stored = false;   // it is the stored one
};

DWORD IdOf(PSID sid, DWORD wantedKind, DWORD otherKindError, DWORD& id) {
  DWORD kind;
  if (!ReadUnixSid(sid, kind, id)) return ERROR_NONE_MAPPED;
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
    change.setsDacl = true;
    change.dacl = parts.daclPresent ? parts.dacl : nullptr;
    if (change.dacl && !EntriesOfAcl(change.dacl, change.entries)) return ERROR_INVALID_ACL;
  }
  return ERROR_SUCCESS;
}

// The self-relative descriptor of the parts info names.
std::string SelfRelative(const DescriptorParts& parts, SECURITY_INFORMATION info) {
  DWORD needed = 0;
  WriteSelfRelative(parts, info, nullptr, 0, needed);
  std::string descriptor(needed, '\0');
  WriteSelfRelative(parts, info, descriptor.data(), needed, needed);
  return descriptor;
}

// The parts of the descriptor of an entry with the given statx and DACL;
// owner and group are kUnixSidSize bytes to write the SIDs into.
DescriptorParts PartsOf(const struct statx& stx, const ShownDacl& dacl, BYTE* owner, BYTE* group) {
  WriteUnixSid(owner, kUnixUserSid, stx.stx_uid);
  WriteUnixSid(group, kUnixGroupSid, stx.stx_gid);
  const ACL* acl = dacl.isNull ? nullptr : reinterpret_cast<const ACL*>(dacl.acl.data());
  return DescriptorParts{0, owner, group, true, acl};
}

// Only files and directories can hold the stored descriptor.
bool CanStore(mode_t mode) { return S_ISREG(mode) || S_ISDIR(mode); }

// The DACL an entry shows now (only a stored one with storedOnly): 0 or errno.
int ReadShownDacl(const LocatedPath& located, bool storedOnly, ShownDacl& shown) {
  const struct statx& stx = located.stx;
  if (S_ISLNK(stx.stx_mode)) {
    shown.isNull = true;
    return 0;
  }
  PosixSecurity security;
  if (int err = ReadPosixSecurity(located.posix, stx, security)) return err;
  std::string stored;
  if (CanStore(stx.stx_mode)) {
    if (int err = ReadStoredDescriptor(located.posix, FingerprintOf(security), stored)) return err;
  }
  DescriptorParts parts;
  if (!stored.empty() && ReadDescriptor(stored.data(), parts) && parts.daclPresent) {
    shown.stored = true;
    shown.isNull = !parts.dacl;
    if (parts.dacl) shown.acl.assign(reinterpret_cast<const char*>(parts.dacl), parts.dacl->AclSize);
  } else if (!storedOnly) {
    shown.acl = DeriveDacl(security);
  }
  return 0;
}

// A file system without POSIX ACLs has none to remove.
int OpenToEveryone(const LocatedPath& located) {
  mode_t mode = located.stx.stx_mode;
  if (S_ISLNK(mode)) return 0;
  bool isDirectory = S_ISDIR(mode);
  mode_t opened = isDirectory ? (mode & 07777) | 0777 : (mode & 01777) | 0666;
  if (Sys.chmod(located.dirFd, located.name.c_str(), opened) != 0) return errno;
  int err = RemoveXattr(located.posix, kAccessAclXattr);
  if (!err && isDirectory) err = RemoveXattr(located.posix, kDefaultAclXattr);
  return err;
}

// An access ACL the mode bits can hold is written as them, which every file
// system keeps.
int WriteAccessAcl(const LocatedPath& located, const PosixAcl& access) {
  int bits = PermissionBitsOf(access);
  if (bits < 0) return WritePosixAcl(located.posix, kAccessAclXattr, access);
  if (int err = RemoveXattr(located.posix, kAccessAclXattr)) return err;
  mode_t mode = (located.stx.stx_mode & 07000) | bits;
  return Sys.chmod(located.dirFd, located.name.c_str(), mode) == 0 ? 0 : errno;
}

int ApplyPosixAcls(const LocatedPath& located, const PosixAcl& access, const PosixAcl& defaults) {
  int err = WriteAccessAcl(located, access);
  if (!err && S_ISDIR(located.stx.stx_mode)) err = WritePosixAcl(located.posix, kDefaultAclXattr, defaults);
  return err;
}

// Stores the descriptor of the entry as it now is, with the DACL dacl.
void Store(const LocatedPath& located, const ShownDacl& dacl) {
  struct statx stx;
  PosixSecurity security;
  if (Sys.stat(located.dirFd, located.name.c_str(), AT_SYMLINK_NOFOLLOW, kEntryStatxMask, &stx) != 0 ||
      ReadPosixSecurity(located.posix, stx, security) != 0)
    return;
  BYTE owner[kUnixSidSize], group[kUnixSidSize];
  DescriptorParts parts = PartsOf(stx, dacl, owner, group);
  StoreDescriptor(located.posix, FingerprintOf(security), SelfRelative(parts, kAllParts));
}

}  // namespace

BOOL GetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION RequestedInformation,
                      PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD nLength, LPDWORD lpnLengthNeeded) {
  if (!lpnLengthNeeded) return FailWith(ERROR_INVALID_PARAMETER);
  std::string full, onShare;
  DescriptorParts parts;
  ShownDacl dacl;
  BYTE owner[kUnixSidSize], group[kUnixSidSize];
  if (lpFileName && FullPathOf(lpFileName, full) && IsSharePath(full)) {
    if (DWORD err = ReadShareDescriptor(full, onShare)) return FailWith(err);
    ReadDescriptor(onShare.data(), parts);
  } else {
    LocatedPath located;
    if (DWORD err = LocateExisting(lpFileName, located)) return FailWith(err);
    if (RequestedInformation & DACL_SECURITY_INFORMATION) {
      if (int err = ReadShownDacl(located, false, dacl)) return FailWith(Win32ErrorFromErrno(err));
    }
    parts = PartsOf(located.stx, dacl, owner, group);
  }
  DWORD needed = 0;
  DWORD err = WriteSelfRelative(parts, RequestedInformation, pSecurityDescriptor,
                                pSecurityDescriptor ? nLength : 0, needed);
  *lpnLengthNeeded = needed;
  return err ? FailWith(err) : Succeed();
}

// Information other than owner, group and DACL is ignored.
BOOL SetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION SecurityInformation,
                      PSECURITY_DESCRIPTOR pSecurityDescriptor) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return FailWith(ERROR_INVALID_SECURITY_DESCR);
  std::string full;
  if (lpFileName && FullPathOf(lpFileName, full) && IsSharePath(full)) {
    DWORD err = WriteShareDescriptor(full, SecurityInformation, parts);
    return err ? FailWith(err) : Succeed();
  }
  SecurityChange change;
  if (DWORD err = ChangeOf(SecurityInformation, parts, change)) return FailWith(err);
  LocatedPath located;
  if (DWORD err = LocateExisting(lpFileName, located)) return FailWith(err);
  const struct statx& stx = located.stx;
  PosixAcl access, defaults;
  if (change.dacl) {
    if (S_ISLNK(stx.stx_mode)) return FailWith(ERROR_NOT_SUPPORTED);
    DWORD uid = change.owner != kKeep ? change.owner : stx.stx_uid;
    DWORD gid = change.group != (gid_t)kKeep ? change.group : stx.stx_gid;
    if (DWORD err = ClosestPosixAcls(change.entries, uid, gid, S_ISDIR(stx.stx_mode), access, defaults))
      return FailWith(err);
  }
  bool changesIds = change.owner != kKeep || change.group != (gid_t)kKeep;
  ShownDacl kept;
  if (!change.setsDacl && changesIds && CanStore(stx.stx_mode) && ReadShownDacl(located, true, kept) != 0)
    kept.stored = false;
  if (changesIds && Sys.chown(located.dirFd, located.name.c_str(), change.owner, change.group) != 0)
    return FailWith(Win32ErrorFromErrno(errno));
  if (change.setsDacl) {
    int err = change.dacl ? ApplyPosixAcls(located, access, defaults) : OpenToEveryone(located);
    if (err) return FailWith(Win32ErrorFromErrno(err));
    kept.isNull = !change.dacl;
    if (change.dacl) kept.acl.assign(reinterpret_cast<const char*>(change.dacl), change.dacl->AclSize);
  }
  if (CanStore(stx.stx_mode) && (change.setsDacl || kept.stored)) Store(located, kept);
  return Succeed();
}
