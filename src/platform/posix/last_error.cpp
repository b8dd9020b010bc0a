#include "platform/win32.h"

namespace {
thread_local DWORD LastError = 0;
}

DWORD GetLastError(void) { return LastError; }

void SetLastError(DWORD dwErrCode) { LastError = dwErrCode; }
