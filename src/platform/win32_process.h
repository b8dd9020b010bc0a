// Process family: command line, environment, module, string resources, last error.
#pragma once

#include "platform/win32_types.h"

DWORD GetLastError(void);
void SetLastError(DWORD dwErrCode);

LPSTR GetCommandLineA(void);
DWORD GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize);
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
HMODULE GetModuleHandleA(LPCSTR lpModuleName);
int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
