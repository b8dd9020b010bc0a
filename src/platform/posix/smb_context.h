// The one libsmbclient context of the run: credentials as Samba's clients
// take them (a Kerberos ticket cache, else USER and PASSWD, else anonymous;
// never a prompt), a timeout so that a silent server costs seconds, and
// Samba's own messages kept off standard output.
#pragma once

#include <string>

#include "platform/posix/smb_api.h"

#include "platform/win32.h"

// The context, created on first use (loading the library); null with `error`
// set when it cannot be: 50 when Samba's client library is not installed.
SMBCCTX* SmbContext(DWORD& error);

// A context of its own, set up as the run's, for a process forked to use the
// network beside the run (share_read_ahead.h); null when it cannot be made.
SMBCCTX* NewSmbContext();

// The Win32 code for an errno that a libsmbclient call left.
DWORD SmbError(int err);

// The credentials the context logs on with, for Samba's tools run as
// children: a Kerberos ticket cache (KRB5CCNAME, or /tmp/krb5cc_<uid>), a
// password from USER ("...%password") or PASSWD.
bool HasTicketCache();
bool HasPasswordFromEnvironment();

// The client configuration Samba's clients read first, $HOME/.smb/smb.conf;
// empty when there is none (they then read the system's smb.conf).
std::string ClientConfigFile();
