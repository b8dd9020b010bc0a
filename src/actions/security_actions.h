// The actions that change security: the owner and permission changes of set,
// and the copying of owner, group and DACL by the copy commands' /P. Each
// takes the object over and tries once more after access denied.
#pragma once

#include "platform/win32.h"

bool ChangeOwner(const char* systemName, const char* path, const char* ownerName);
bool ChangePermissions(const char* systemName, const char* path, const char* permissionText);
bool ApplyPermissions(const char* systemName, const char* path, const char* permissionText);

// Copies owner, group and DACL of `source` (or of `sourceDescriptor` when
// given) onto `target`; counts "protections replaced".
bool CopySecurity(const char* source, const char* target, PSECURITY_DESCRIPTOR sourceDescriptor);

// Copies as CopySecurity only when the two descriptors differ.
bool SyncSecurity(const char* source, const char* target);
