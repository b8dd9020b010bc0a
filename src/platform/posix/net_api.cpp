// The LAN Manager calls over the network seam (network_backend.h): each asks
// `Network` in UTF-8 and packs the answer as Windows does, records first and
// their UTF-16 strings behind them in one block that NetApiBufferFree frees.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/layer.h"
#include "platform/posix/network_backend.h"

namespace {

constexpr DWORD PlatformIdNt = 500;  // PLATFORM_ID_NT
constexpr DWORD UnlimitedUses = (DWORD)-1;

// UTF-16 units of a UTF-8 text, terminator included.
size_t WideUnits(const std::string& text) {
  return (size_t)MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
}

// The UTF-8 form of a UTF-16 argument (empty for a null one).
std::string Utf8Of(LPCWSTR text) {
  if (!text || !text[0]) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8((size_t)size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize((size_t)size - 1);
  return utf8;
}

// A server argument ("\\SRV", "SRV" or null for the local machine) as the
// computer name alone.
std::string ServerOf(LPCWSTR server) {
  std::string name = Utf8Of(server);
  size_t start = name.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : name.substr(start);
}

// One block of `count` records of `recordSize` bytes followed by `strings`
// UTF-16 units, zeroed; `next` hands out the string room in order.
struct NetBlock {
  LPBYTE data = nullptr;
  WCHAR* next = nullptr;
};

bool AllocateBlock(NetBlock& block, size_t count, size_t recordSize, size_t strings) {
  size_t bytes = count * recordSize + strings * sizeof(WCHAR);
  block.data = (LPBYTE)calloc(1, bytes ? bytes : 1);
  block.next = block.data ? (WCHAR*)(block.data + count * recordSize) : nullptr;
  return block.data != nullptr;
}

// Copies a UTF-8 text into the block's string room and returns where it went.
LPWSTR PutString(NetBlock& block, const std::string& text) {
  WCHAR* at = block.next;
  int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, at, (int)WideUnits(text));
  block.next += units;
  return at;
}

// How many of the entries from `first` on fit into `preferred` bytes (all
// of them for MAX_PREFERRED_LENGTH), each taking `size(i)` bytes.
template <typename EntrySize>
size_t EntriesThatFit(size_t first, size_t total, DWORD preferred, EntrySize size) {
  size_t used = 0, end = first;
  for (; end < total; ++end) {
    size_t entry = size(end);
    if (preferred != MAX_PREFERRED_LENGTH && used + entry > preferred) break;
    used += entry;
  }
  return end - first;
}

// The enumeration's counts and resume handle, and its status: ERROR_MORE_DATA
// when entries are left for a later call.
NET_API_STATUS FinishEnum(size_t first, size_t taken, size_t total, LPDWORD entriesread, LPDWORD totalentries,
                          LPDWORD resume) {
  if (entriesread) *entriesread = (DWORD)taken;
  if (totalentries) *totalentries = (DWORD)(total - first);
  bool more = first + taken < total;
  if (resume) *resume = more ? (DWORD)(first + taken) : 0;
  return more ? ERROR_MORE_DATA : NERR_Success;
}

size_t ShareRecordSize(DWORD level) {
  switch (level) {
    case 0: return sizeof(SHARE_INFO_0);
    case 1: return sizeof(SHARE_INFO_1);
    case 502: return sizeof(SHARE_INFO_502);
    default: return 0;
  }
}

size_t ShareStrings(const NetShare& share, DWORD level) {
  return WideUnits(share.name) + (level == 0 ? 0 : WideUnits(share.remark)) + (level == 502 ? 1 : 0);
}

void PutShare(NetBlock& block, LPBYTE record, const NetShare& share, DWORD level) {
  if (level == 0) {
    ((SHARE_INFO_0*)record)->shi0_netname = PutString(block, share.name);
  } else if (level == 1) {
    SHARE_INFO_1* info = (SHARE_INFO_1*)record;
    info->shi1_netname = PutString(block, share.name);
    info->shi1_type = share.type;
    info->shi1_remark = PutString(block, share.remark);
  } else {
    // The server's path, permissions and descriptor are not known: the
    // path is empty, the rest as Windows reports them for a plain share.
    SHARE_INFO_502* info = (SHARE_INFO_502*)record;
    info->shi502_netname = PutString(block, share.name);
    info->shi502_type = share.type;
    info->shi502_remark = PutString(block, share.remark);
    info->shi502_max_uses = UnlimitedUses;
    info->shi502_path = PutString(block, "");
  }
}

size_t ServerRecordSize(DWORD level) {
  return level == 100 ? sizeof(SERVER_INFO_100) : level == 101 ? sizeof(SERVER_INFO_101) : 0;
}

void PutServer(NetBlock& block, LPBYTE record, const std::string& name, DWORD level, DWORD type) {
  if (level == 100) {
    SERVER_INFO_100* info = (SERVER_INFO_100*)record;
    info->sv100_platform_id = PlatformIdNt;
    info->sv100_name = PutString(block, name);
    return;
  }
  SERVER_INFO_101* info = (SERVER_INFO_101*)record;
  info->sv101_platform_id = PlatformIdNt;
  info->sv101_name = PutString(block, name);
  info->sv101_type = type;
  info->sv101_comment = PutString(block, "");
}

// A buffer holding one UTF-16 text.
NET_API_STATUS TextBuffer(const std::string& text, LPBYTE* bufptr) {
  NetBlock block;
  if (!AllocateBlock(block, 0, 0, WideUnits(text))) return ERROR_NOT_ENOUGH_MEMORY;
  PutString(block, text);
  *bufptr = block.data;
  return NERR_Success;
}

// True when `server` names the local machine (null, empty or its own name).
bool IsLocalMachine(const std::string& server) {
  if (server.empty()) return true;
  WCHAR computer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(computer, &size)) return false;
  std::string own = Utf8Of(computer);
  if (own.size() != server.size()) return false;
  for (size_t i = 0; i < own.size(); ++i) {
    if (UpperAscii(own[i]) != UpperAscii(server[i])) return false;
  }
  return true;
}

}  // namespace

NET_API_STATUS NetShareEnum(LMSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                            LPDWORD totalentries, LPDWORD resume_handle) {
  if (!bufptr) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  if (level != 0 && level != 1) return ERROR_INVALID_LEVEL;
  std::vector<NetShare> shares;
  DWORD status = Network.listShares(ServerOf(servername), shares);
  if (status != NERR_Success) return status;
  size_t first = resume_handle && *resume_handle < shares.size() ? *resume_handle : 0;
  size_t taken = EntriesThatFit(first, shares.size(), prefmaxlen, [&](size_t i) {
    return ShareRecordSize(level) + ShareStrings(shares[i], level) * sizeof(WCHAR);
  });
  size_t strings = 0;
  for (size_t i = first; i < first + taken; ++i) strings += ShareStrings(shares[i], level);
  NetBlock block;
  if (!AllocateBlock(block, taken, ShareRecordSize(level), strings)) return ERROR_NOT_ENOUGH_MEMORY;
  for (size_t i = 0; i < taken; ++i) {
    PutShare(block, block.data + i * ShareRecordSize(level), shares[first + i], level);
  }
  *bufptr = block.data;
  return FinishEnum(first, taken, shares.size(), entriesread, totalentries, resume_handle);
}

NET_API_STATUS NetShareGetInfo(LMSTR servername, LMSTR netname, DWORD level, LPBYTE* bufptr) {
  if (!bufptr || !netname) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  if (ShareRecordSize(level) == 0) return ERROR_INVALID_LEVEL;
  NetShare share;
  DWORD status = Network.shareInfo(ServerOf(servername), Utf8Of(netname), share);
  if (status != NERR_Success) return status;
  NetBlock block;
  if (!AllocateBlock(block, 1, ShareRecordSize(level), ShareStrings(share, level))) return ERROR_NOT_ENOUGH_MEMORY;
  PutShare(block, block.data, share, level);
  *bufptr = block.data;
  return NERR_Success;
}

NET_API_STATUS NetServerEnum(LMCSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen,
                             LPDWORD entriesread, LPDWORD totalentries, DWORD servertype, LMCSTR domain,
                             LPDWORD resume_handle) {
  if (!bufptr) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  if (ServerRecordSize(level) == 0) return ERROR_INVALID_LEVEL;
  // The browse list is asked from here; another machine cannot be asked for it.
  if (!IsLocalMachine(ServerOf(servername))) return ERROR_NOT_SUPPORTED;
  std::vector<std::string> names;
  bool domains = servertype == SV_TYPE_DOMAIN_ENUM;
  DWORD status = Network.listServers(servertype, domains ? std::string() : Utf8Of(domain), names);
  if (status != NERR_Success) return status;
  size_t stringsOfOne = level == 100 ? 0 : 1;  // the empty comment
  size_t first = resume_handle && *resume_handle < names.size() ? *resume_handle : 0;
  size_t taken = EntriesThatFit(first, names.size(), prefmaxlen, [&](size_t i) {
    return ServerRecordSize(level) + (WideUnits(names[i]) + stringsOfOne) * sizeof(WCHAR);
  });
  size_t strings = 0;
  for (size_t i = first; i < first + taken; ++i) strings += WideUnits(names[i]) + stringsOfOne;
  NetBlock block;
  if (!AllocateBlock(block, taken, ServerRecordSize(level), strings)) return ERROR_NOT_ENOUGH_MEMORY;
  for (size_t i = 0; i < taken; ++i) {
    PutServer(block, block.data + i * ServerRecordSize(level), names[first + i], level, servertype);
  }
  *bufptr = block.data;
  return FinishEnum(first, taken, names.size(), entriesread, totalentries, resume_handle);
}

NET_API_STATUS NetWkstaGetInfo(LMSTR servername, DWORD level, LPBYTE* bufptr) {
  if (!bufptr) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  if (level != 100) return ERROR_INVALID_LEVEL;
  // Only the local workstation answers: it is read from here, not asked.
  if (!IsLocalMachine(ServerOf(servername))) return ERROR_NOT_SUPPORTED;
  WCHAR computer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(computer, &size)) return GetLastError();
  std::string domain;
  DWORD status = Network.localDomain(domain);
  if (status != NERR_Success) return status;
  std::string computerName = Utf8Of(computer);
  NetBlock block;
  if (!AllocateBlock(block, 1, sizeof(WKSTA_INFO_100), WideUnits(computerName) + WideUnits(domain))) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  WKSTA_INFO_100* info = (WKSTA_INFO_100*)block.data;
  info->wki100_platform_id = PlatformIdNt;
  info->wki100_computername = PutString(block, computerName);
  info->wki100_langroup = PutString(block, domain);
  info->wki100_ver_major = 10;
  info->wki100_ver_minor = 0;
  *bufptr = block.data;
  return NERR_Success;
}

NET_API_STATUS NetGetDCName(LMCSTR servername, LMCSTR domainname, LPBYTE* bufptr) {
  if (!bufptr) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  std::string controller;
  DWORD status = Network.domainController(ServerOf(servername), Utf8Of(domainname), controller);
  if (status != NERR_Success) return status;
  return TextBuffer(controller, bufptr);
}

NET_API_STATUS NetApiBufferFree(LPVOID Buffer) {
  free(Buffer);
  return NERR_Success;
}
