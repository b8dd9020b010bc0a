#include "output/load_format.h"

#include <cstring>

#include "base/settings.h"
#include "base/bounded_text.h"
#include "platform/win32.h"

namespace {

// The format's file: the text itself when it holds a backslash, else the
// text beside the program's executable.
bool FormatFileName(const char* format, char* name, size_t capacity) {
  if (strchr(format, '\\')) return CopyText(name, capacity, format);
  char module[256];
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) module[0] = '\0';
  char* lastBackslash = strrchr(module, '\\');
  if (lastBackslash) {
    lastBackslash[1] = '\0';
  } else {
    module[0] = '\0';
  }
  return CopyText(name, capacity, module) && AppendText(name, capacity, format);
}

}  // namespace

int LoadFormat(const char* format, char (&output)[LineCapacity]) {
  char name[2 * TextCapacity];
  if (*format && FormatFileName(format, name, sizeof name)) {
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD total = 0;
      DWORD got = 0;
      while (total < LineCapacity - 1 &&
             ReadFile(file, output + total, LineCapacity - 1 - total, &got, nullptr) && got > 0) {
        total += got;
      }
      output[total] = '\0';
      CloseHandle(file);
      return 1;
    }
  }
  CopyText(output, LineCapacity, format);
  return 0;
}
