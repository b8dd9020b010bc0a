#include "output/load_format.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/bounded_text.h"
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

// Reads the first 2047 bytes of the format's file into output; false when it
// has none that opens.
bool ReadFormatFile(const char* format, char* output) {
  std::string name;
  if (!*format || !FormatFileName(format, name)) return false;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD total = 0;
  DWORD got = 0;
  while (total < LineCapacity - 1 &&
         ReadFile(file, output + total, LineCapacity - 1 - total, &got, nullptr) && got > 0) {
    total += got;
  }
  output[total] = '\0';
  CloseHandle(file);
  return true;
}

// Every line is formatted through LoadFormat, and with it the program's folder
// is asked again for a format file of that name: once the run has asked it
// kAskedBeforeWatching times, the folder is watched and the texts found
// missing there from then on are kept while it reports no change of its
// names. Making a watch costs more system calls than a few lookups: a run of
// few lines (totals only) asks each time. The folder is watched before it is
// asked with the watch, so no change can fall between.
constexpr int kAskedBeforeWatching = 16;
std::vector<std::string> MissingBesideProgram;

bool FolderUnchanged(void) {
  static HANDLE changes = nullptr;
  static int asked = 0;
  if (!changes) {
    if (++asked <= kAskedBeforeWatching) return false;
    changes = FindFirstChangeNotificationA(ProgramFolder().c_str(), FALSE,
                                           FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    return false;  // what was found missing before was found unwatched
  }
  if (changes == INVALID_HANDLE_VALUE) return false;  // asked on every line then
  if (WaitForSingleObject(changes, 0) != WAIT_OBJECT_0) return true;
  FindNextChangeNotification(changes);
  return false;
}

bool IsBesideProgram(const char* format) { return !strchr(format, '\\') && !ProgramFolder().empty(); }

bool KnownMissingBesideProgram(const char* format) {
  if (!IsBesideProgram(format)) return false;
  if (!FolderUnchanged()) {
    MissingBesideProgram.clear();
    return false;
  }
  for (const std::string& text : MissingBesideProgram) {
    if (text == format) return true;
  }
  return false;
}

}  // namespace

const char* LoadedFormat(const char* format, char (&output)[LineCapacity]) {
  if (!KnownMissingBesideProgram(format)) {
    if (ReadFormatFile(format, output)) return output;
    if (IsBesideProgram(format)) MissingBesideProgram.push_back(format);
  }
  return format;
}

int LoadFormat(const char* format, char (&output)[LineCapacity]) {
  if (LoadedFormat(format, output) == output) return 1;
  CopyText(output, LineCapacity, format);
  return 0;
}
