// Writing and checking self-relative security descriptors (revision 1:
// revision, Sbz1, control, then the offsets of owner, group, SACL and DACL
// from the descriptor's start, 0 for none; the parts follow).
#pragma once

#include <string>
#include <string_view>

#include "platform/win32.h"

// owner and group may be null (not held); with daclPresent, dacl null is the
// null DACL.
std::string WriteSelfRelative(const void* owner, const void* group, bool daclPresent, const ACL* dacl);

// True when descriptor is self-relative and every part it names lies within it.
bool CheckSelfRelative(std::string_view descriptor);
