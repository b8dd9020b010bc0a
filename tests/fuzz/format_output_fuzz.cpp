// The format engine. Input: 4 bytes of number, 8 of file time, 2 of capacity, the
// format. The output stays within its capacity; a smaller one only cuts it, at most
// one whole character short; a format without '~' is copied as it is.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/settings.h"
#include "fuzz_support.h"
#include "output/format_output.h"
#include "output/value_text.h"

namespace {

constexpr int GuardBytes = 16;
constexpr size_t HeaderBytes = 14;

template <typename T>
T Read(const uint8_t* data) {
  T value;
  memcpy(&value, data, sizeof value);
  return value;
}

// Expands into a buffer with guard bytes behind the capacity; checks them.
std::string Expand(const char* format, const PlaceholderEntry* table, int capacity) {
  static char output[LineCapacity + GuardBytes];
  memset(output, '#', sizeof output);
  FormatOutput(format, output, table, capacity);
  FUZZ_CHECK(std::all_of(output + capacity, output + capacity + GuardBytes, [](char c) { return c == '#'; }),
             "written past the capacity");
  size_t length = strnlen(output, capacity);
  FUZZ_CHECK(length < (size_t)capacity, "output not terminated within its capacity");
  return std::string(output, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < HeaderBytes) return 0;
  static bool conventionsRead = false;
  if (!conventionsRead) ReadOutputConventions(), conventionsRead = true;  // once, as a run does
  int32_t number = Read<int32_t>(data);
  uint64_t fileTime = Read<uint64_t>(data + 4);
  int capacity = 1 + Read<uint16_t>(data + 12) % LineCapacity;
  double bytes = (double)fileTime;
  // A format holding '\' names a format file; the fuzzer keeps to texts.
  std::string format = InputText(data + HeaderBytes, size - HeaderBytes);
  std::replace(format.begin(), format.end(), '\\', '/');

  static const std::string longName(LineCapacity + 100, 'n');
  static const WCHAR wide[] = {'\\', '\\', 'S', 0xE9, 'R', 0x263A, 'V', 0};
  const PlaceholderEntry table[] = {
      {PK_NUMBER, 's', &number},     {PK_DOUBLE, 'X', &bytes},  {PK_FILETIME, 'M', &fileTime},
      {PK_TEXT, 'N', "notes.txt"},   {PK_TEXT, 'f', longName.c_str()}, {PK_WTEXT, 'S', wide},
      {PK_TEXT, 'e', nullptr},       {PK_END, 0, nullptr},
  };

  std::string full = Expand(format.c_str(), table, LineCapacity);
  std::string cut = Expand(format.c_str(), table, capacity);
  FUZZ_CHECK(full.compare(0, cut.size(), cut) == 0, "a smaller capacity changed the output");
  // The cut falls at the capacity, or before a character of up to 4 bytes that
  // would not fit whole.
  size_t room = std::min(full.size(), (size_t)capacity - 1);
  FUZZ_CHECK(cut.size() <= room && cut.size() + 3 >= room, "the output is cut at the wrong place");
  if (format.find('~') == std::string::npos)
    FUZZ_CHECK(full == format.substr(0, LineCapacity - 1), "a format without placeholders was changed");
  return 0;
}
