// Handles of the POSIX layer. Every family's handle is a heap record derived
// from LayerHandle and registered here; CloseHandle closes any
// registered handle through its close procedure, and refuses anything else
// with ERROR_INVALID_HANDLE. The close procedure tells the kinds apart.
#pragma once

#include "platform/win32.h"

struct LayerHandle {
  // Releases what the handle holds and deletes the record; true on success.
  bool (*close)(LayerHandle* handle);
};

// Registers a new handle and returns it as a Win32 HANDLE.
HANDLE RegisterHandle(LayerHandle* handle);

// The registered handle h when it was made with closeProc; nullptr otherwise.
LayerHandle* LookupHandle(HANDLE h, bool (*closeProc)(LayerHandle*));

// Unregisters and closes h (FindClose and CloseHandle); false with
// ERROR_INVALID_HANDLE when h is not a registered handle of that kind
// (closeProc nullptr: any kind).
BOOL CloseLayerHandle(HANDLE h, bool (*closeProc)(LayerHandle*));
