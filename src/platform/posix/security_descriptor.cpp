// Building an absolute security descriptor, and reading either form.
#include "platform/posix/security_descriptor.h"

#include <cstring>

#include "platform/posix/layer.h"

namespace {

constexpr SECURITY_DESCRIPTOR_CONTROL kOwnerDefaulted = 0x0001;
constexpr SECURITY_DESCRIPTOR_CONTROL kDaclDefaulted = 0x0008;
constexpr SECURITY_DESCRIPTOR_CONTROL kSelfRelative = 0x8000;
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
