// Account lookups on a server (LookupAccountNameA and LookupAccountSidA
// with a system name): the server's LSA is asked through Samba's rpcclient,
// run as a child. Internal to src/platform/posix/.
#pragma once

#include <string>

#include "platform/posix/layer_state.h"
#include "platform/win32.h"

// The account named `name` ("name" or "domain\name", ANSI) on `server`
// ("\\SERVER" or "SERVER"): 0 with its SID, domain, name and use; 1332 for
// a name the server does not know; 53 when the server cannot be asked
// (unreachable, silent past the time limit, rpcclient missing); 5 when it
// refuses.
DWORD LookupNameOnServer(const std::string& server, const std::string& name, ServerAccount& account);

// The account of `sid` on `server`, with the same answers.
DWORD LookupSidOnServer(const std::string& server, PSID sid, ServerAccount& account);
