// POSIX permissions (r, w, x) as Windows file rights, and back, as Samba
// maps them.
#pragma once

#include "platform/win32.h"

constexpr unsigned kPermRead = 4, kPermWrite = 2, kPermExecute = 1;

// The rights an entry's permissions give: r FILE_GENERIC_READ, w
// FILE_GENERIC_WRITE, x FILE_GENERIC_EXECUTE, the union for two of them, and
// rwx FILE_ALL_ACCESS (r-x 0x001200A9, rw- 0x0012019F, rwx 0x001F01FF).
DWORD RightsOfPerms(unsigned perms);

// The permissions a mask carries: GENERIC_ALL or all of FILE_ALL_ACCESS give
// rwx; otherwise r comes from GENERIC_READ, FILE_READ_DATA or FILE_READ_EA,
// w from GENERIC_WRITE, FILE_WRITE_DATA, FILE_APPEND_DATA or FILE_WRITE_EA,
// x from GENERIC_EXECUTE or FILE_EXECUTE. The other rights (attributes,
// READ_CONTROL, SYNCHRONIZE, DELETE, WRITE_DAC, WRITE_OWNER) carry none.
unsigned PermsOfRights(DWORD mask);
