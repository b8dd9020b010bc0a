// The one libsmbclient context of the run: credentials as Samba's clients
// take them (a Kerberos ticket cache, else USER and PASSWD, else anonymous;
// never a prompt), a timeout so that a silent server costs seconds, and
// Samba's own messages kept off standard output.
#pragma once

#include "platform/posix/smb_api.h"

#include "platform/win32.h"

// The context, created on first use (loading the library); null with `error`
// set when it cannot be: 50 when Samba's client library is not installed.
SMBCCTX* SmbContext(DWORD& error);

// The Win32 code for an errno that a libsmbclient call left.
DWORD SmbError(int err);
