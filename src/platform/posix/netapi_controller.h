// NetGetDCName over Samba's libnetapi, which has no time limit of its own
// and prints on standard output: the call runs in a forked child that
// loads the library (dlopen: a run that never asks does not pay its start).
#pragma once

#include <string>

#include "platform/win32.h"

// A controller of `domain` (UTF-8) as `server` (empty: the local machine)
// names it, with its leading backslashes: 0; NERR_DCNotFound when the
// server names none, cannot be reached, or libnetapi is not installed; 53
// when the server does not answer within 3 seconds. Answers are kept for
// the run.
DWORD AskDomainController(const std::string& server, const std::string& domain, std::string& controller);
