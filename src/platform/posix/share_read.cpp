// Reading a file of a share (the source of a copy to a local drive).
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"

// libsmbclient shows the DOS attributes in the mode as Samba's servers map
// them: no owner write bit for R, the owner's, group's and others' execute
// bits for A, S and H.
DWORD ShareAttributesOfMode(mode_t mode) {
  DWORD word = 0;
  if (!(mode & S_IWUSR)) word |= FILE_ATTRIBUTE_READONLY;
  if (mode & S_IXUSR) word |= FILE_ATTRIBUTE_ARCHIVE;
  if (mode & S_IXGRP) word |= FILE_ATTRIBUTE_SYSTEM;
  if (mode & S_IXOTH) word |= FILE_ATTRIBUTE_HIDDEN;
  return word ? word : FILE_ATTRIBUTE_NORMAL;
}

DWORD OpenShareFile(const std::string& full, ShareFile& file) {
  std::string url;
  DWORD err = ShareUrl(full, url);
  if (err) return err;
  SMBCCTX* context = SmbContext(err);
  if (!context) return err;
  SMBCFILE* open = Smb.getFunctionOpen(context)(context, url.c_str(), O_RDONLY, 0);
  if (!open) return errno == EISDIR ? ERROR_ACCESS_DENIED : SmbError(errno);
  struct stat st;
  DWORD statErr = ERROR_SUCCESS;
  if (Smb.getFunctionFstat(context)(context, open, &st) != 0) {
    statErr = SmbError(errno);
  } else if (!S_ISREG(st.st_mode)) {
    statErr = ERROR_ACCESS_DENIED;
  }
  if (statErr) {
    Smb.getFunctionClose(context)(context, open);
    return statErr;
  }
  file = ShareFile{context, open, st.st_atim, st.st_mtim, ShareAttributesOfMode(st.st_mode)};
  return ERROR_SUCCESS;
}

long ReadShareFile(ShareFile& file, void* buffer, size_t length) {
  return (long)Smb.getFunctionRead(file.context)(file.context, file.file, buffer, length);
}

void CloseShareFile(ShareFile& file) {
  if (file.file) Smb.getFunctionClose(file.context)(file.context, file.file);
  file.file = nullptr;
}
