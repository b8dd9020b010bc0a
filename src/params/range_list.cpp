#include "params/range_list.h"

#include <cstdlib>

#include "base/bounded_text.h"

namespace {

constexpr int32_t OpenRangeEnd = 2100000000;

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '-'; }

}  // namespace

int32_t ReadLong(const char* text) {
  long long value = strtoll(text, nullptr, 10);  // itself held at the ends of 64 bits
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return (int32_t)value;
}

bool IsRangeSyntax(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (!IsNumberChar(*p) && *p != ',' && *p != ':') return false;
  }
  return true;
}

bool InRangeList(const char* list, int32_t n) {
  if (!list || !*list) return true;
  char copy[256];
  CopyText(copy, list);  // lists are read up to 255 characters

  bool rangeOpen = false;
  int32_t lo = 0;
  char* p = copy;
  for (;;) {
    char* number = p;
    while (IsNumberChar(*p)) ++p;
    char stop = *p;
    bool atEnd = (stop == '\0');
    *p = '\0';
    if (stop == ':') {
      lo = ReadLong(number);
      rangeOpen = true;
    } else if (!rangeOpen) {
      if (ReadLong(number) == n) return true;
    } else {
      int32_t hi = *number ? ReadLong(number) : OpenRangeEnd;
      if (lo <= n && n <= hi) return true;
      rangeOpen = false;
    }
    if (atEnd) break;
    ++p;
    if (*p == '\0') break;
  }
  return rangeOpen && lo <= n && n <= OpenRangeEnd;
}
