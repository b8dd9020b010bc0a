// Files on shares: the `\\SERVER\SHARE\...` paths of the file calls, served
// over libsmbclient. Paths are full Windows paths (FullPathOf form) in the
// ANSI code page; results are Win32 codes. Internal to src/platform/posix/.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/file_info.h"
#include "platform/posix/security_descriptor.h"
#include "platform/posix/smb_context.h"

// True for a path on a share: two backslashes and a server name, but not the
// "\\?\" and "\\.\" forms.
bool IsSharePath(const std::string& full);

// The libsmbclient URL of a share path: "smb://server/share/dir/name", names
// in UTF-8 and percent-encoded. A path of a server alone names no share: 53.
DWORD ShareUrl(const std::string& full, std::string& url);

// A share path without its final separator, if it has one.
std::string WithoutSeparator(const std::string& path);

// A name libsmbclient gives (UTF-8) in the ANSI code page.
std::string AnsiNameOf(const std::string& utf8);
// An ANSI name in UTF-8.
std::string Utf8NameOf(const std::string& ansi);

struct ShareEntry {
  std::string name;  // ANSI
  EntryInfo info;
};

// The entries of a share directory whose names match pattern (the layer's
// wildcard rules): "." and ".." first when the server gives them, then the
// rest sorted by name as NTFS sorts them. 0, or why the directory could not
// be listed (3 when it is missing).
DWORD ListShareDirectory(const std::string& directory, const std::string& pattern, std::vector<ShareEntry>& entries);

// One entry of a share by its full path (a share's root is a directory):
// 0, 2 when it is missing, 3 when its directory is.
DWORD FindShareEntry(const std::string& full, ShareEntry& entry);

// SetCurrentDirectoryA's check of a share directory: 0, 267 for a file, 2
// when missing, 67 for a share the server lacks. A directory the walk has
// just listed (or one on its path) is taken without asking the server.
DWORD CheckShareDirectory(const std::string& full);

// The directory full, removed from the share, is no longer taken for one
// the walk has listed.
void ForgetShareDirectory(const std::string& full);

// DeleteFileA, RemoveDirectoryA and CreateDirectoryA on a share: 0 or the
// Win32 code of the failure.
DWORD DeleteShareFile(const std::string& full);
DWORD RemoveShareDirectory(const std::string& full);
DWORD CreateShareDirectory(const std::string& full);

// A file of a share open for reading: its last-access and last-write times,
// and the attribute bits the server reports through the mode (R, H, S, A as
// libsmbclient maps them).
struct ShareFile {
  SMBCCTX* context = nullptr;
  SMBCFILE* file = nullptr;
  struct timespec accessTime {}, writeTime {};
  DWORD attributes = 0;
};
// 0, or why the file cannot be read: 5 for a directory, 2 or 3 when missing.
DWORD OpenShareFile(const std::string& full, ShareFile& file);
// The attribute word of a mode libsmbclient gives (R, H, S, A).
DWORD ShareAttributesOfMode(mode_t mode);
// Up to `length` bytes: their count, 0 at the end, or -1 with errno set.
long ReadShareFile(ShareFile& file, void* buffer, size_t length);
void CloseShareFile(ShareFile& file);

// The owner, group and DACL of an entry of a share as a self-relative
// descriptor (the server's SIDs, its entries as it gives them): 0 or why not.
DWORD ReadShareDescriptor(const std::string& full, std::string& descriptor);
// SetFileSecurityA on a share: the owner, group and DACL that info names
// and parts hold, as SIDs: 0 or why not.
DWORD WriteShareDescriptor(const std::string& full, SECURITY_INFORMATION info, const DescriptorParts& parts);
// The name a server gave a SID in a descriptor read from it this run:
// 0; 1332 for a SID it has not named; 53 for a server never read from.
DWORD NameSidOfServer(const char* server, PSID sid, std::string& domain, std::string& name);

// FindFirstFileA on a share path: directory (ending in `\`) and pattern, or
// the exact lookup of full when pattern has no wildcard.
HANDLE FindFirstShareFile(const std::string& full, const std::string& directory, const std::string& pattern,
                          WIN32_FIND_DATAA* data);
// FindNextFileA and FindClose on a handle FindFirstShareFile gave; false
// with ERROR_INVALID_HANDLE for any other handle.
bool IsShareFind(HANDLE find);
BOOL FindNextShareFile(HANDLE find, WIN32_FIND_DATAA* data);
BOOL CloseShareFind(HANDLE find);

// The attribute word (R, H, S and A of attributes) and the given times of
// the entry url, in one or two requests (share_attributes.cpp says how
// exact each way is): 0 or the errno of the failure. With a last-access or
// last-write time both must be given; with H or S in the word or a creation
// time, all three, or the entry takes wrong ones.
struct ShareTimes {
  std::optional<struct timespec> creation, access, write;
};
int PutShareAttributes(SMBCCTX* context, const std::string& url, DWORD attributes, const ShareTimes& times);

// SetFileAttributesA and SetFileTime (by path; null and zero times are
// kept) on a share: 0 or the Win32 code of the failure.
DWORD SetShareAttributes(const std::string& full, DWORD attributes);
DWORD SetShareTimes(const std::string& full, const FILETIME* creation, const FILETIME* access,
                    const FILETIME* write);

// CopyFileA onto the share path target from a local or share source.
BOOL CopyToShare(LPCSTR source, const std::string& target, BOOL failIfExists);

// CreateFileA on a share, for an existing entry: a handle that reads a
// file's data (ReadFile), or, opened without reading or writing its data,
// one that changes the entry's times by its path (SetFileTime); any other
// open is refused with 50.
HANDLE OpenShareHandle(const std::string& full, DWORD access, DWORD disposition, DWORD flags);
// SetFileTime on a handle OpenShareHandle gave; false (nothing done) for
// any other handle.
bool SetShareHandleTime(HANDLE handle, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                        BOOL& result);
// ReadFile on a handle OpenShareHandle gave; false (nothing done) for any
// other handle, else true with result and *got as ReadFile gives them.
bool ReadShareHandle(HANDLE handle, void* buffer, DWORD length, DWORD* got, BOOL& result);
