// Deleting files and removing and creating directories on shares, each one
// request to the server.
#include <cerrno>

#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"

namespace {

// Runs change(context, url) on the share path full: 0, or the errno of the
// failed change (-1 with `error` set when it was not tried).
template <typename Change>
int ChangeOnShare(const std::string& full, DWORD& error, Change change) {
  std::string url;
  error = ShareUrl(full, url);
  SMBCCTX* context = error ? nullptr : SmbContext(error);
  if (!context) return -1;
  return change(context, url.c_str()) == 0 ? 0 : errno;
}

}  // namespace

// A read-only file (which libsmbclient reports as EINVAL, the server's
// "cannot delete") or a directory gives 5, as on Windows.
DWORD DeleteShareFile(const std::string& full) {
  DWORD error;
  int err = ChangeOnShare(full, error, [](SMBCCTX* c, const char* url) { return Smb.getFunctionUnlink(c)(c, url); });
  if (err < 0) return error;
  if (err == EISDIR || err == EPERM || err == EINVAL) return ERROR_ACCESS_DENIED;
  return err ? SmbError(err) : ERROR_SUCCESS;
}

// A file gives 267, a directory that holds entries 145.
DWORD RemoveShareDirectory(const std::string& full) {
  DWORD error;
  int err = ChangeOnShare(full, error, [](SMBCCTX* c, const char* url) { return Smb.getFunctionRmdir(c)(c, url); });
  if (err < 0) return error;
  if (err == ENOTDIR) return ERROR_DIRECTORY;
  if (err == EEXIST) return ERROR_DIR_NOT_EMPTY;
  if (!err) ForgetShareDirectory(full);
  return err ? SmbError(err) : ERROR_SUCCESS;
}

// An entry of that name gives 183, a missing parent 3.
DWORD CreateShareDirectory(const std::string& full) {
  DWORD error;
  int err =
      ChangeOnShare(full, error, [](SMBCCTX* c, const char* url) { return Smb.getFunctionMkdir(c)(c, url, 0777); });
  if (err < 0) return error;
  if (err == EEXIST) return ERROR_ALREADY_EXISTS;
  if (err == ENOENT) return ERROR_PATH_NOT_FOUND;
  return err ? SmbError(err) : ERROR_SUCCESS;
}
