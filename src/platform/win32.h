// The Win32 interface as keltro's core sees it. On Windows this is the real
// <windows.h>; elsewhere it is the subset that src/platform/posix/ serves.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "platform/win32_types.h"
#include "platform/win32_process.h"
#include "platform/win32_files.h"
#include "platform/win32_nls.h"
#include "platform/win32_console.h"
#include "platform/win32_security.h"
#include "platform/win32_network.h"
#endif
