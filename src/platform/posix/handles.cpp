#include "platform/posix/handles.h"

#include <unordered_set>

namespace {
std::unordered_set<LayerHandle*> OpenHandles;
// The handles last found: a listing asks for its handle once per entry, and
// the format lookup for its change notification once per line between.
LayerHandle* Recent[2] = {nullptr, nullptr};
}

HANDLE RegisterHandle(LayerHandle* handle) {
  OpenHandles.insert(handle);
  return handle;
}

LayerHandle* LookupHandle(HANDLE h, bool (*closeProc)(LayerHandle*)) {
  LayerHandle* handle = static_cast<LayerHandle*>(h);
  if (!handle || (handle != Recent[0] && handle != Recent[1])) {
    if (OpenHandles.find(handle) == OpenHandles.end()) return nullptr;
    Recent[1] = Recent[0];
    Recent[0] = handle;
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
  for (LayerHandle*& recent : Recent)
    if (recent == handle) recent = nullptr;
  return handle->close(handle) ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE hObject) { return CloseLayerHandle(hObject, nullptr); }
