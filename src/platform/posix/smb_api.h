// libsmbclient's calls as keltro uses them, loaded from the library when a
// share is first named (dlopen). A run on local drives never loads Samba's
// client library and the hundred libraries it needs, which would cost every
// start about 20 ms and 6 MB.
#pragma once

#include <libsmbclient.h>

#define KELTRO_SMB_CALLS(X)                                                                               \
  X(new_context) X(free_context) X(init_context) X(setDebug) X(setOptionDebugToStderr) X(setLogCallback) \
  X(setTimeout) X(setFunctionAuthDataWithContext) X(setOptionUseKerberos) X(setOptionFallbackAfterKerberos) \
  X(setOptionUseCCache) X(getWorkgroup) X(getFunctionOpendir) X(getFunctionClosedir) X(getFunctionReaddir)  \
  X(getFunctionReaddirPlus) X(getFunctionStat) X(getFunctionFstat) X(getFunctionOpen) X(getFunctionRead)   \
  X(getFunctionClose) X(getFunctionUnlink) X(getFunctionRmdir) X(getFunctionMkdir) X(getFunctionGetxattr)    \
  X(getFunctionWrite) X(getFunctionRename) X(getFunctionUtimes) X(getFunctionSetxattr) X(getFunctionFtruncate)    \
  X(getFunctionChmod) X(setOptionFullTimeNames)

struct SmbApi {
#define KELTRO_SMB_MEMBER(name) decltype(&smbc_##name) name;
  KELTRO_SMB_CALLS(KELTRO_SMB_MEMBER)
#undef KELTRO_SMB_MEMBER
};

// Filled by the first successful SmbContext (smb_context.h); every call of
// the library goes through it.
extern SmbApi Smb;
