#include "platform/posix/self_relative.h"

#include <cstring>
#include <vector>

#include "platform/posix/nt_acl.h"

namespace {

constexpr size_t kHeaderSize = 20;  // revision, Sbz1, control, four offsets
constexpr size_t kMinSidSize = 8;

DWORD Append(std::string& descriptor, const void* part, size_t length) {
  if (!part) return 0;
  DWORD offset = descriptor.size();
  descriptor.append(static_cast<const char*>(part), length);
  return offset;
}

}  // namespace

std::string WriteSelfRelative(const void* owner, const void* group, bool daclPresent, const ACL* dacl) {
  std::string descriptor(kHeaderSize, '\0');
  DWORD offsets[4] = {};
  offsets[0] = Append(descriptor, owner, owner ? SidLength(owner) : 0);
  offsets[1] = Append(descriptor, group, group ? SidLength(group) : 0);
  offsets[3] = Append(descriptor, daclPresent ? dacl : nullptr, dacl ? dacl->AclSize : 0);
  SECURITY_DESCRIPTOR_CONTROL control = SE_SELF_RELATIVE | (daclPresent ? SE_DACL_PRESENT : 0);
  descriptor[0] = SECURITY_DESCRIPTOR_REVISION;
  memcpy(descriptor.data() + 2, &control, sizeof control);
  memcpy(descriptor.data() + 4, offsets, sizeof offsets);
  return descriptor;
}

bool CheckSelfRelative(std::string_view descriptor) {
  if (descriptor.size() < kHeaderSize || descriptor[0] != SECURITY_DESCRIPTOR_REVISION) return false;
  SECURITY_DESCRIPTOR_CONTROL control;
  DWORD offsets[4];
  memcpy(&control, descriptor.data() + 2, sizeof control);
  memcpy(offsets, descriptor.data() + 4, sizeof offsets);
  if (!(control & SE_SELF_RELATIVE) || offsets[2]) return false;
  for (DWORD offset : {offsets[0], offsets[1]}) {
    if (!offset) continue;
    if (offset + kMinSidSize > descriptor.size()) return false;
    if (offset + SidLength(descriptor.data() + offset) > descriptor.size()) return false;
  }
  if (!offsets[3]) return true;
  if (offsets[3] + sizeof(ACL) > descriptor.size()) return false;
  ACL header;
  memcpy(&header, descriptor.data() + offsets[3], sizeof header);
  std::vector<AceEntry> entries;
  return offsets[3] + header.AclSize <= descriptor.size() &&
         ReadAcl(reinterpret_cast<const ACL*>(descriptor.data() + offsets[3]), entries);
}
