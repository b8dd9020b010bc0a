// Building an absolute security descriptor, and reading either form.
#include "platform/posix/security_descriptor.h"

#include <cstring>

#include "platform/posix/layer.h"

namespace {

constexpr SECURITY_DESCRIPTOR_CONTROL kOwnerDefaulted = 0x0001;
constexpr SECURITY_DESCRIPTOR_CONTROL kGroupDefaulted = 0x0002;
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclDefaulted = 0x0008;
constexpr SECURITY_DESCRIPTOR_CONTROL kSelfRelative = 0x8000;
constexpr DWORD kHeaderSize = 20;  // revision, Sbz1, control, four offsets
constexpr DWORD kUnknownRevision = 1305;  // ERROR_UNKNOWN_REVISION

// The absolute descriptor the Set calls may change: 0, or why not.
DWORD CheckAbsolute(PSECURITY_DESCRIPTOR descriptor) {
  const SECURITY_DESCRIPTOR* sd = static_cast<const SECURITY_DESCRIPTOR*>(descriptor);
  if (!sd) return ERROR_INVALID_PARAMETER;
  if (sd->Revision != SECURITY_DESCRIPTOR_REVISION) return kUnknownRevision;
  return (sd->Control & kSelfRelative) ? ERROR_INVALID_SECURITY_DESCR : ERROR_SUCCESS;
}

SECURITY_DESCRIPTOR_CONTROL WithFlag(SECURITY_DESCRIPTOR_CONTROL control, SECURITY_DESCRIPTOR_CONTROL flag,
                                     bool set) {
  return set ? (control | flag) : (control & ~flag);
}

}  // namespace

bool ReadDescriptor(const void* descriptor, DescriptorParts& parts) {
  const SECURITY_DESCRIPTOR* sd = static_cast<const SECURITY_DESCRIPTOR*>(descriptor);
  if (!sd || sd->Revision != SECURITY_DESCRIPTOR_REVISION) return false;
  parts.control = sd->Control;
  parts.daclPresent = (sd->Control & SE_DACL_PRESENT) != 0;
  if (!(sd->Control & kSelfRelative)) {
    parts.owner = sd->Owner, parts.group = sd->Group, parts.dacl = sd->Dacl;
    return true;
  }
  // Revision, Sbz1, Control, then the offsets of owner, group, SACL and DACL (0: none).
  const BYTE* base = static_cast<const BYTE*>(descriptor);
  DWORD offsets[4];
  memcpy(offsets, base + 4, sizeof offsets);
  auto at = [&](DWORD offset) { return offset ? (void*)(base + offset) : nullptr; };
  parts.owner = at(offsets[0]), parts.group = at(offsets[1]);
  parts.dacl = static_cast<const ACL*>(at(offsets[3]));
  return true;
}

BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD dwRevision) {
  if (!pSecurityDescriptor) return FailWith(ERROR_INVALID_PARAMETER);
  if (dwRevision != SECURITY_DESCRIPTOR_REVISION) return FailWith(kUnknownRevision);
  SECURITY_DESCRIPTOR* sd = static_cast<SECURITY_DESCRIPTOR*>(pSecurityDescriptor);
  *sd = SECURITY_DESCRIPTOR{};
  sd->Revision = SECURITY_DESCRIPTOR_REVISION;
  return Succeed();
}

BOOL SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID pOwner, BOOL bOwnerDefaulted) {
  if (DWORD err = CheckAbsolute(pSecurityDescriptor)) return FailWith(err);
  SECURITY_DESCRIPTOR* sd = static_cast<SECURITY_DESCRIPTOR*>(pSecurityDescriptor);
  sd->Owner = pOwner;
  sd->Control = WithFlag(sd->Control, kOwnerDefaulted, bOwnerDefaulted);
  return Succeed();
}

BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, BOOL bDaclPresent, PACL pDacl,
                               BOOL bDaclDefaulted) {
  if (DWORD err = CheckAbsolute(pSecurityDescriptor)) return FailWith(err);
  SECURITY_DESCRIPTOR* sd = static_cast<SECURITY_DESCRIPTOR*>(pSecurityDescriptor);
  sd->Dacl = bDaclPresent ? pDacl : nullptr;
  sd->Control = WithFlag(sd->Control, SE_DACL_PRESENT, bDaclPresent);
  sd->Control = WithFlag(sd->Control, kDaclDefaulted, bDaclPresent && bDaclDefaulted);
  return Succeed();
}

DWORD WriteSelfRelative(const DescriptorParts& parts, SECURITY_INFORMATION info, void* buffer, DWORD length,
                        DWORD& needed) {
  PSID owner = (info & OWNER_SECURITY_INFORMATION) ? parts.owner : nullptr;
  PSID group = (info & GROUP_SECURITY_INFORMATION) ? parts.group : nullptr;
  bool daclPresent = (info & DACL_SECURITY_INFORMATION) && parts.daclPresent;
  const ACL* dacl = daclPresent ? parts.dacl : nullptr;
  DWORD ownerSize = GetLengthSid(owner), groupSize = GetLengthSid(group);
  DWORD daclSize = dacl ? dacl->AclSize : 0;
  needed = kHeaderSize + ownerSize + groupSize + daclSize;
  if (length < needed) return ERROR_INSUFFICIENT_BUFFER;
  SECURITY_DESCRIPTOR_CONTROL control = kSelfRelative;
  if (owner) control |= parts.control & kOwnerDefaulted;
  if (group) control |= parts.control & kGroupDefaulted;
  if (daclPresent) control |= SE_DACL_PRESENT | (parts.control & kDaclDefaulted);
  BYTE* out = static_cast<BYTE*>(buffer);
  memset(out, 0, needed);
  out[0] = SECURITY_DESCRIPTOR_REVISION;
  memcpy(out + 2, &control, sizeof control);
  DWORD offset = kHeaderSize;
  auto place = [&](const void* part, DWORD size, DWORD field) {
    if (!part) return;
    memcpy(out + offset, part, size);
    memcpy(out + 4 + 4 * field, &offset, sizeof offset);
    offset += size;
  };
  place(owner, ownerSize, 0);
  place(group, groupSize, 1);
  place(dacl, daclSize, 3);
  return ERROR_SUCCESS;
}

BOOL IsValidSecurityDescriptor(PSECURITY_DESCRIPTOR pSecurityDescriptor) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return FailWith(kUnknownRevision);
  if ((parts.owner && !IsValidSid(parts.owner)) || (parts.group && !IsValidSid(parts.group)))
    return FailWith(ERROR_INVALID_SECURITY_DESCR);
  if (parts.daclPresent && parts.dacl && (parts.dacl->AclRevision < ACL_REVISION || parts.dacl->AclSize < sizeof(ACL)))
    return FailWith(ERROR_INVALID_SECURITY_DESCR);
  return Succeed();
}

BOOL GetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID* pOwner, LPBOOL lpbOwnerDefaulted) {
  DescriptorParts parts;
  if (!pOwner || !lpbOwnerDefaulted) return FailWith(ERROR_INVALID_PARAMETER);
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return FailWith(kUnknownRevision);
  *pOwner = parts.owner;
  *lpbOwnerDefaulted = (parts.control & kOwnerDefaulted) != 0;
  return Succeed();
}

// Without a DACL the list and its defaulted flag are set to none and false.
BOOL GetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, LPBOOL lpbDaclPresent, PACL* pDacl,
                               LPBOOL lpbDaclDefaulted) {
  DescriptorParts parts;
  if (!lpbDaclPresent || !pDacl || !lpbDaclDefaulted) return FailWith(ERROR_INVALID_PARAMETER);
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return FailWith(kUnknownRevision);
  *lpbDaclPresent = parts.daclPresent;
  *pDacl = parts.daclPresent ? const_cast<PACL>(parts.dacl) : nullptr;
  *lpbDaclDefaulted = parts.daclPresent && (parts.control & kDaclDefaulted) != 0;
  return Succeed();
}
