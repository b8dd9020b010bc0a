// Access lists from permission texts such as "Everyone:R Unix User\alice:Fcio".
#pragma once

#include "platform/win32.h"

constexpr int DaclBufferSize = 4096;

// Builds the DACL of `permissionText` into `dacl` (DaclBufferSize bytes),
// always first initialised as an empty list. Entries that cannot be built
// are reported and left out. The number of entries added.
int BuildAcl(const char* systemName, const char* permissionText, PACL dacl);
