// Handles on entries of shares: CreateFileA for changing an entry's times
// (the `set` command's SetFileTime). Such a handle holds no open file on
// the server, only the entry's path; SetFileTime sets the times by it.
// Reading handles and other dispositions are not served (50); nor are
// ReadFile, WriteFile and GetFileInformationByHandle on such a handle.
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"

namespace {

struct ShareHandle : LayerHandle {
  std::string full;
  DWORD access;
};

bool CloseShareHandle(LayerHandle* handle) {
  delete static_cast<ShareHandle*>(handle);
  return true;
}

constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;

bool SetsAttributes(DWORD access) { return access & (GENERIC_WRITE | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES); }

HANDLE Fail(DWORD err) {
  SetLastError(err);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE OpenShareHandle(const std::string& full, DWORD access, DWORD disposition, DWORD flags) {
  if (disposition != OPEN_EXISTING || (access & kReadAccess)) return Fail(ERROR_NOT_SUPPORTED);
  std::string url;
  DWORD err = ShareUrl(full, url);
  SMBCCTX* context = err ? nullptr : SmbContext(err);
  if (!context) return Fail(err);
  struct stat st;
  if (Smb.getFunctionStat(context)(context, url.c_str(), &st) != 0) return Fail(SmbError(errno));
  if (S_ISDIR(st.st_mode) && !(flags & FILE_FLAG_BACKUP_SEMANTICS)) return Fail(ERROR_ACCESS_DENIED);
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new ShareHandle{{CloseShareHandle}, full, access});
}

bool SetShareHandleTime(HANDLE handle, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                        BOOL& result) {
  auto* share = static_cast<ShareHandle*>(LookupHandle(handle, CloseShareHandle));
  if (!share) return false;
  DWORD err = SetsAttributes(share->access) ? SetShareTimes(share->full, creation, access, write)
                                            : ERROR_ACCESS_DENIED;
  result = err ? FailWith(err) : Succeed();
  return true;
}
