// The domain-controller lookup of account names given as domain\user.
#pragma once

#include "platform/win32.h"

// Room for a controller's name in UTF-16 units, terminator included.
constexpr int ControllerNameCapacity = 24;

// Writes into `controller` the name of a controller of `domain` (with its
// leading backslashes), as the primary controller of the local machine's
// domain knows it, and returns 0; or returns the code of the failed
// NetGetDCName with `controller` empty. An empty domain finds none and
// returns 0.
DWORD FindDomainController(const WCHAR* domain, WCHAR* controller);
