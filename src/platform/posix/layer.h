// Internal helpers of the POSIX layer (never included above src/platform/).
#pragma once

#include "platform/win32.h"

// The Win32 code for an errno value (never 0).
DWORD Win32ErrorFromErrno(int err);
// Sets the last error from errno value err and returns the Win32 code.
DWORD SetLastErrorFromErrno(int err);
