#include "platform/posix/handles.h"

#include <unordered_set>

namespace {
std::unordered_set<LayerHandle*> OpenHandles;
}

HANDLE RegisterHandle(LayerHandle* handle) {
  OpenHandles.insert(handle);
  return handle;
}

LayerHandle* LookupHandle(HANDLE h, bool (*closeProc)(LayerHandle*)) {
  auto it = OpenHandles.find(static_cast<LayerHandle*>(h));
  if (it == OpenHandles.end() || (closeProc && (*it)->close != closeProc)) return nullptr;
  return *it;
}

BOOL CloseLayerHandle(HANDLE h, bool (*closeProc)(LayerHandle*)) {
  LayerHandle* handle = LookupHandle(h, closeProc);
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  OpenHandles.erase(handle);
  return handle->close(handle) ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE hObject) { return CloseLayerHandle(hObject, nullptr); }
