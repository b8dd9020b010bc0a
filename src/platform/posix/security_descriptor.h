// Security descriptors in both of Windows' forms: absolute (the structure's
// fields point at the owner and the DACL) and self-relative (offsets from
// the descriptor's start), which a descriptor read from a file has.
#pragma once

#include "platform/win32.h"

struct DescriptorParts {
  SECURITY_DESCRIPTOR_CONTROL control;
  PSID owner;          // null when the descriptor names none
  PSID group;
  bool daclPresent;    // SE_DACL_PRESENT
  const ACL* dacl;     // null with daclPresent: the null DACL, full access for everyone
};

// False for a descriptor of another revision.
bool ReadDescriptor(const void* descriptor, DescriptorParts& parts);

// Writes the parts that `info` names (owner, group, DACL) as a self-relative
// descriptor: a 20-byte header, then owner, group and DACL. 0, or 122 when
// `length` bytes do not hold it; `needed` is its size either way.
DWORD WriteSelfRelative(const DescriptorParts& parts, SECURITY_INFORMATION info, void* buffer, DWORD length,
                        DWORD& needed);
