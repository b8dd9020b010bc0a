// Copies onto shares. As every copy, the data goes to a temporary name
// (".keltro-<pid>-<n>.tmp") in the target's directory, which takes the
// source's attribute word and last-access and last-write times and is then
// renamed onto the target: the target is the old file, untouched, or the
// whole new one. The copy's creation time is its own, the time the copy
// began. A failed write or read removes the temporary file; so does a
// signal that ends the process mid-copy: it is noted, the copy stops at the
// next chunk, removes the file and then lets the signal end the process. The source is local (read through the layer's own calls,
// following a link) or on a share.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/posix/copy_temp.h"
#include "platform/posix/layer.h"
#include "platform/posix/path_lookup.h"
#include "platform/posix/share_files.h"

namespace {

constexpr size_t kChunk = 1 << 18;

// The file copied: open locally or on a share, its word and times.
struct CopySource {
  HANDLE local = INVALID_HANDLE_VALUE;
  ShareFile share;
  DWORD attributes = 0;
  struct timespec access {}, write {};
  struct timespec made {};  // when the copy began: the new file's creation time
};

struct timespec TimespecOf(const FILETIME& time) { return PosixTimeFromFileTime(FromFileTime(time)); }

DWORD OpenLocalSource(LPCSTR name, CopySource& source) {
  source.local = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (source.local == INVALID_HANDLE_VALUE) return GetLastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(source.local, &info)) return GetLastError();
  source.attributes = info.dwFileAttributes;
  source.access = TimespecOf(info.ftLastAccessTime);
  source.write = TimespecOf(info.ftLastWriteTime);
  return ERROR_SUCCESS;
}

DWORD OpenSource(LPCSTR name, CopySource& source) {
  std::string full;
  if (!name || !FullPathOf(name, full) || !IsSharePath(full)) return OpenLocalSource(name, source);
  if (DWORD err = OpenShareFile(full, source.share)) return err;
  source.attributes = source.share.attributes;
  source.access = source.share.accessTime;
  source.write = source.share.writeTime;
  return ERROR_SUCCESS;
}

// Up to `length` bytes into buffer: 0 with their count (0 at the end), or why not.
DWORD ReadSource(CopySource& source, char* buffer, size_t length, size_t& count) {
  if (source.local == INVALID_HANDLE_VALUE) {
    long got = ReadShareFile(source.share, buffer, length);
    count = got > 0 ? (size_t)got : 0;
    return got < 0 ? SmbError(errno) : ERROR_SUCCESS;
  }
  DWORD got = 0;
  BOOL read = ReadFile(source.local, buffer, (DWORD)length, &got, nullptr);
  count = got;
  return read ? ERROR_SUCCESS : GetLastError();
}

void CloseSource(CopySource& source) {
  if (source.local != INVALID_HANDLE_VALUE) CloseHandle(source.local);
  CloseShareFile(source.share);
}

// Windows refuses to overwrite a directory, or a file that is read-only or
// hidden; with failIfExists any entry of the name gives 80.
DWORD CheckTarget(SMBCCTX* context, const std::string& url, bool failIfExists) {
  struct stat st;
  if (Smb.getFunctionStat(context)(context, url.c_str(), &st) != 0) {
    return errno == ENOENT ? ERROR_SUCCESS : SmbError(errno);
  }
  if (failIfExists) return ERROR_FILE_EXISTS;
  if (S_ISDIR(st.st_mode)) return ERROR_ACCESS_DENIED;
  DWORD word = ShareAttributesOfMode(st.st_mode);
  return (word & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

// A fresh temporary file beside url, open for writing: null with errno set
// when none can be made.
SMBCFILE* MakeTemp(SMBCCTX* context, const std::string& url, std::string& temp) {
  static unsigned counter = 0;
  std::string directory = url.substr(0, url.rfind('/') + 1);
  for (int tries = 0; tries < 100; tries++) {
    temp = directory + ".keltro-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".tmp";
    SMBCFILE* file = Smb.getFunctionOpen(context)(context, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (file || errno != EEXIST) return file;
  }
  return nullptr;
}

DWORD WriteAll(SMBCCTX* context, SMBCFILE* file, const char* data, size_t length) {
  while (length > 0) {
    ssize_t written = Smb.getFunctionWrite(context)(context, file, data, length);
    if (written <= 0) return written < 0 ? SmbError(errno) : ERROR_DISK_FULL;
    data += written;
    length -= (size_t)written;
  }
  return ERROR_SUCCESS;
}

// The source's data into the open temporary file, which is closed here.
DWORD CopyData(CopySource& source, SMBCCTX* context, SMBCFILE* out) {
  static char buffer[kChunk];
  DWORD err = ERROR_SUCCESS;
  for (size_t count = 0; !err;) {
    if (SignalPending()) err = ERROR_CANCELLED;
    if (!err) err = ReadSource(source, buffer, sizeof buffer, count);
    if (err || count == 0) break;
    err = WriteAll(context, out, buffer, count);
  }
  if (Smb.getFunctionClose(context)(context, out) != 0 && !err) err = SmbError(errno);
  return err;
}

// The missing directory of a target reads as 3, as a local one does.
DWORD TempError(int err) { return err == ENOENT ? ERROR_PATH_NOT_FOUND : SmbError(err); }

// The finished temporary file takes the source's word and times and goes
// in place of the target; on any failure it is removed.
DWORD PutInPlace(const CopySource& source, SMBCCTX* context, const std::string& temp, const std::string& url) {
  ShareTimes times{std::nullopt, source.access, source.write};
  if (source.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) times.creation = source.made;
  int err = PutShareAttributes(context, temp, source.attributes, times);
  if (!err && Smb.getFunctionRename(context)(context, temp.c_str(), context, url.c_str()) != 0) err = errno;
  if (!err) return ERROR_SUCCESS;
  Smb.getFunctionChmod(context)(context, temp.c_str(), 0666);  // a read-only file cannot be deleted
  Smb.getFunctionUnlink(context)(context, temp.c_str());
  return SmbError(err);
}

}  // namespace

BOOL CopyToShare(LPCSTR sourceName, const std::string& target, BOOL failIfExists) {
  CopySource source;
  std::string url, temp;
  SMBCCTX* context = nullptr;
  SMBCFILE* out = nullptr;
  clock_gettime(CLOCK_REALTIME, &source.made);
  DWORD err = OpenSource(sourceName, source);
  if (!err) err = ShareUrl(target, url);
  if (!err) context = SmbContext(err);
  if (!err) err = CheckTarget(context, url, failIfExists);
  BeginDeferredSignals();
  if (!err && !(out = MakeTemp(context, url, temp))) err = TempError(errno);
  if (out) {
    err = CopyData(source, context, out);
    if (!err && SignalPending()) err = ERROR_CANCELLED;
    if (err) Smb.getFunctionUnlink(context)(context, temp.c_str());
  }
  CloseSource(source);
  if (!err) err = PutInPlace(source, context, temp, url);
  EndDeferredSignals();
  return err ? FailWith(err) : Succeed();
}
