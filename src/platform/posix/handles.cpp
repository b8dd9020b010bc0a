#include "platform/posix/handles.h"

#include <unordered_set>

namespace {
std::unordered_set<LayerHandle*> OpenHandles;
LayerHandle* LastFound = nullptr;  // a listing asks for its handle once per entry
}

HANDLE RegisterHandle(LayerHandle* handle) {
  OpenHandles.insert(handle);
  return handle;
}

LayerHandle* LookupHandle(HANDLE h, bool (*closeProc)(LayerHandle*)) {
  LayerHandle* handle = static_cast<LayerHandle*>(h);
  if (handle != LastFound || !handle) {
    if (OpenHandles.find(handle) == OpenHandles.end()) return nullptr;
    LastFound = handle;
  }
  return closeProc && handle->close != closeProc ? nullptr : handle;
}

BOOL CloseLayerHandle(HANDLE h, bool (*closeProc)(LayerHandle*)) {
  LayerHandle* handle = LookupHandle(h, closeProc);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  OpenHandles.erase(handle);
  if (handle == LastFound) LastFound = nullptr;
  return handle->close(handle) ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE hObject) { return CloseLayerHandle(hObject, nullptr); }
