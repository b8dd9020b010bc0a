#include "driver/load_format.h"

#include <cstring>
#include <string>
#include <vector>

#include "driver/settings.h"
#include "params/bounded_text.h"
#include "platform/win32.h"

namespace {

// The folder of the program's executable with its closing backslash, read
// once: the program does not move while it runs. The whole path is taken,
// however long; when it cannot be read the folder is empty and no format file
// is looked for beside the program (never in the current directory instead).
const std::string& ProgramFolder(void) {
  static std::string folder;
  static bool known = false;
  if (known) return folder;
  known = true;
  std::string module(TextCapacity, '\0');
  DWORD length;
  while ((length = GetModuleFileNameA(nullptr, module.data(), (DWORD)module.size())) >= module.size()) {
    if (module.size() >= 32768) return folder;  // longer than any Win32 path
    module.resize(module.size() * 2);
  }
  module.resize(length);
  size_t backslash = module.rfind('\\');
  if (backslash != std::string::npos) folder = module.substr(0, backslash + 1);
  return folder;
}

// The format's file: the text itself when it holds a backslash, else the
// text beside the program's executable. False when there is none to look for.
bool FormatFileName(const char* format, std::string& name) {
  if (strchr(format, '\\')) {
    name = format;
    return true;
  }
  const std::string& folder = ProgramFolder();
  if (folder.empty()) return false;
  name = folder + format;
  return true;
}

// The first 2047 bytes of the format's file; false when it has none that opens.
bool ReadFormatFile(const char* format, std::string& content) {
  std::string name;
  if (!*format || !FormatFileName(format, name)) return false;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[LineCapacity];
  DWORD total = 0;
  DWORD got = 0;
  while (total < LineCapacity - 1 &&
         ReadFile(file, buffer + total, LineCapacity - 1 - total, &got, nullptr) && got > 0) {
    total += got;
  }
  CloseHandle(file);
  content.assign(buffer, strnlen(buffer, total));
  return true;
}

// What one format text gave when it was first loaded.
struct LoadedFormat {
  std::string text;
  bool fromFile;
  std::string content;
};

// Every line is formatted through LoadFormat, so each format text is looked
// up once per run; a run has a handful of distinct texts.
const LoadedFormat& LookUpFormat(const char* format) {
  static std::vector<LoadedFormat> loaded;
  for (const LoadedFormat& entry : loaded) {
    if (entry.text == format) return entry;
  }
  LoadedFormat entry{format, false, {}};
  entry.fromFile = ReadFormatFile(format, entry.content);
  loaded.push_back(entry);
  return loaded.back();
}

}  // namespace

int LoadFormat(const char* format, char* output) {
  const LoadedFormat& entry = LookUpFormat(format);
  CopyText(output, LineCapacity, entry.fromFile ? entry.content.c_str() : format);
  return entry.fromFile ? 1 : 0;
}
