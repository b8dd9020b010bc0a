// FindFirstFileA, FindNextFileA and FindClose on share paths: the listing is
// read whole when the search starts (readdirplus2 gives every value), and
// the handle gives its entries one by one.
#include <cstring>
#include <memory>

#include "platform/posix/handles.h"
#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"
#include "platform/posix/win_path.h"

namespace {

struct ShareFind : LayerHandle {
  std::vector<ShareEntry> entries;
  size_t next = 0;
};

bool CloseFind(LayerHandle* handle) {
  delete static_cast<ShareFind*>(handle);
  return true;
}

void FillFindData(const ShareEntry& entry, WIN32_FIND_DATAA* data) {
  memset(data, 0, sizeof *data);
  data->dwFileAttributes = entry.info.attributes;
  data->ftCreationTime = entry.info.creationTime;
  data->ftLastAccessTime = entry.info.lastAccessTime;
  data->ftLastWriteTime = entry.info.lastWriteTime;
  data->nFileSizeHigh = (DWORD)(entry.info.size >> 32);
  data->nFileSizeLow = (DWORD)entry.info.size;
  CopyTruncated(data->cFileName, entry.name);
}

HANDLE Fail(DWORD err) {
  SetLastError(err);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE FindFirstShareFile(const std::string& full, const std::string& directory, const std::string& pattern,
                          WIN32_FIND_DATAA* data) {
  auto find = std::make_unique<ShareFind>();
  find->close = CloseFind;
  if (HasWildcard(pattern)) {
    DWORD err = ListShareDirectory(directory, pattern, find->entries);
    if (err) return Fail(err);
  } else {
    ShareEntry entry;
    DWORD err = FindShareEntry(full, entry);
    if (err) return Fail(err);
    find->entries.push_back(std::move(entry));
  }
  if (find->entries.empty()) return Fail(ERROR_FILE_NOT_FOUND);
  FillFindData(find->entries[find->next++], data);
  SetLastError(ERROR_SUCCESS);
  return RegisterHandle(find.release());
}

bool IsShareFind(HANDLE find) { return LookupHandle(find, CloseFind) != nullptr; }

BOOL FindNextShareFile(HANDLE handle, WIN32_FIND_DATAA* data) {
  ShareFind* find = static_cast<ShareFind*>(LookupHandle(handle, CloseFind));
  if (!find) return FailWith(ERROR_INVALID_HANDLE);
  if (find->next >= find->entries.size()) return FailWith(ERROR_NO_MORE_FILES);
  FillFindData(find->entries[find->next++], data);
  return Succeed();
}

BOOL CloseShareFind(HANDLE find) { return CloseLayerHandle(find, CloseFind); }
