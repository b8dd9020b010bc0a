// The attribute word and the times of entries on shares. libsmbclient has
// three ways to set them, each with its catch (found against Samba 4.17):
// - utimes sets the last-access and last-write times to the microsecond,
//   but clears the attribute word (the server is sent NORMAL);
// - chmod sets R (no write bit) and A (the owner's execute bit), or clears
//   the word, and keeps the times; S and H only where the client's own
//   configuration maps them (`map system`, `map hidden`, off by default);
// - setxattr of `system.dos_attr.*` sets any word and the creation time,
//   but writes every time back as it read it, in whole seconds (and a word
//   of NORMAL or 0 changes nothing).
// So a word of R and A alone is set with chmod (after utimes when times are
// set too) and every time stays exact; a word with H or S, or a creation
// time, goes through setxattr, and the times of that entry keep whole
// seconds only. setxattr also writes back a creation time it reads wrong
// (the last-write time): every time it sends is given, the ones not changed
// taken from the entry's listing.
#include <sys/stat.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdio>

#include "platform/posix/file_info.h"
#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"

namespace {

constexpr DWORD kWordBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kChmodBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;

struct timeval TimevalOf(const struct timespec& time) { return {time.tv_sec, time.tv_nsec / 1000}; }

int ByChmod(SMBCCTX* context, const std::string& url, DWORD word) {
  mode_t mode = (word & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  if (word & FILE_ATTRIBUTE_ARCHIVE) mode |= S_IXUSR;
  return Smb.getFunctionChmod(context)(context, url.c_str(), mode) == 0 ? 0 : errno;
}

void AppendTime(std::string& text, const char* name, const std::optional<struct timespec>& time) {
  if (time) text += std::string(",") + name + ":" + std::to_string((long long)time->tv_sec);
}

int ByDosAttr(SMBCCTX* context, const std::string& url, DWORD word, const ShareTimes& times) {
  char mode[16];
  snprintf(mode, sizeof mode, "MODE:0x%x", (unsigned)word);
  std::string text = mode;
  AppendTime(text, "CREATE_TIME", times.creation);
  AppendTime(text, "ACCESS_TIME", times.access);
  AppendTime(text, "WRITE_TIME", times.write);
  return Smb.getFunctionSetxattr(context)(context, url.c_str(), "system.dos_attr.*", text.data(), text.size(), 0) == 0
             ? 0
             : errno;
}

// The context and URL of a share path: 0 or why not.
DWORD Reach(const std::string& full, SMBCCTX*& context, std::string& url) {
  DWORD err = ShareUrl(full, url);
  if (!err) context = SmbContext(err);
  return err;
}

DWORD Win32Of(int err) { return err == EPERM ? ERROR_ACCESS_DENIED : err ? SmbError(err) : ERROR_SUCCESS; }

std::optional<struct timespec> TimeOf(const FILETIME* time) {
  if (!time) return std::nullopt;
  ULONGLONG value = FromFileTime(*time);
  if (value == 0 || value == ~0ULL) return std::nullopt;
  return PosixTimeFromFileTime(value);
}

bool NeedsDosAttr(DWORD word, const ShareTimes& times) { return times.creation || (word & kWordBits & ~kChmodBits); }

// The times not given, from the entry's listing (the only place that has
// its creation time right).
void FillTimes(const ShareEntry& entry, ShareTimes& times) {
  if (!times.creation) times.creation = TimeOf(&entry.info.creationTime);
  if (!times.access) times.access = TimeOf(&entry.info.lastAccessTime);
  if (!times.write) times.write = TimeOf(&entry.info.lastWriteTime);
}

}  // namespace

int PutShareAttributes(SMBCCTX* context, const std::string& url, DWORD attributes, const ShareTimes& times) {
  DWORD word = attributes & kWordBits;
  if (NeedsDosAttr(word, times)) return ByDosAttr(context, url, word, times);
  if (times.access) {
    struct timeval values[2] = {TimevalOf(*times.access), TimevalOf(*times.write)};
    if (Smb.getFunctionUtimes(context)(context, url.c_str(), values) != 0) return errno;
    if (!word) return 0;  // utimes has cleared it
  }
  return ByChmod(context, url, word);
}

DWORD SetShareAttributes(const std::string& full, DWORD attributes) {
  SMBCCTX* context;
  std::string url;
  if (DWORD err = Reach(full, context, url)) return err;
  ShareTimes times;
  if (NeedsDosAttr(attributes, times)) {
    ShareEntry entry;
    if (DWORD err = FindShareEntry(full, entry)) return err;
    FillTimes(entry, times);
  }
  return Win32Of(PutShareAttributes(context, url, attributes, times));
}

// A directory's mode has every execute bit set, so its word is read from
// its listing, as is the creation time that setxattr needs.
DWORD SetShareTimes(const std::string& full, const FILETIME* creation, const FILETIME* access,
                    const FILETIME* write) {
  ShareTimes times{TimeOf(creation), TimeOf(access), TimeOf(write)};
  if (!times.creation && !times.access && !times.write) return ERROR_SUCCESS;
  SMBCCTX* context;
  std::string url;
  struct stat st;
  if (DWORD err = Reach(full, context, url)) return err;
  if (Smb.getFunctionStat(context)(context, url.c_str(), &st) != 0) return SmbError(errno);
  DWORD word = ShareAttributesOfMode(st.st_mode);
  if (S_ISDIR(st.st_mode) || NeedsDosAttr(word, times)) {
    ShareEntry entry;
    if (DWORD err = FindShareEntry(full, entry)) return err;
    word = entry.info.attributes;
    if (NeedsDosAttr(word, times)) FillTimes(entry, times);
  }
  if (!times.access) times.access = st.st_atim;
  if (!times.write) times.write = st.st_mtim;
  return Win32Of(PutShareAttributes(context, url, word, times));
}
