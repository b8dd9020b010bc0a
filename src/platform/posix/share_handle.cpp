// Handles on entries of shares: CreateFileA for reading a file (a format
// file or a server list kept on a share: ReadFile) and for changing an
// entry's times (the `set` command's SetFileTime). A handle for times holds
// no open file on the server, only the entry's path; SetFileTime sets the
// times by it. Other dispositions are not served (50); nor are WriteFile and
// GetFileInformationByHandle on such a handle.
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"

namespace {

struct ShareHandle : LayerHandle {
  std::string full;
  DWORD access;
  ShareFile file;  // open for reading when access asks to read
};

bool CloseShareHandle(LayerHandle* handle) {
  auto* share = static_cast<ShareHandle*>(handle);
  CloseShareFile(share->file);
  delete share;
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
  if (disposition != OPEN_EXISTING || ((access & kReadAccess) && SetsAttributes(access)))
    return Fail(ERROR_NOT_SUPPORTED);
  if (access & kReadAccess) {
    auto* share = new ShareHandle{{CloseShareHandle}, full, access, {}};
    if (DWORD err = OpenShareFile(full, share->file)) {
      delete share;
      return Fail(err);
    }
    SetLastError(ERROR_SUCCESS);
    return RegisterHandle(share);
  }
  std::string url;
  DWORD err = ShareUrl(full, url);
  SMBCCTX* context = err ? nullptr : SmbContext(err);
  if (!context) return Fail(err);
  struct stat st;
  if (Smb.getFunctionStat(context)(context, url.c_str(), &st) != 0) return Fail(SmbError(errno));
  if (S_ISDIR(st.st_mode) && !(flags & FILE_FLAG_BACKUP_SEMANTICS)) return Fail(ERROR_ACCESS_DENIED);
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(new ShareHandle{{CloseShareHandle}, full, access, {}});
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

bool ReadShareHandle(HANDLE handle, void* buffer, DWORD length, DWORD* got, BOOL& result) {
  auto* share = static_cast<ShareHandle*>(LookupHandle(handle, CloseShareHandle));
  if (!share) return false;
  if (!share->file.file) {
    result = FailWith(ERROR_ACCESS_DENIED);
    return true;
  }
  DWORD total = 0;
  while (total < length) {
    long n = ReadShareFile(share->file, static_cast<char*>(buffer) + total, length - total);
    if (n < 0) {
      if (got) *got = total;
      result = FailWith(SmbError(errno));
      return true;
    }
    if (n == 0) break;
    total += (DWORD)n;
  }
  if (got) *got = total;
  result = Succeed();
  return true;
}
