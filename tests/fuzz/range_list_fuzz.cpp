// Range lists against a small reference reader. Input: the list, a line
// break, then numbers to look up besides a fixed set, one per line.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "params/range_list.h"

namespace {

constexpr int32_t OpenRangeEnd = 2100000000;  // the upper end of "lo:"
constexpr size_t ListCapacity = 255;          // a list is read up to 255 characters

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '-'; }

// A number as keltro reads it (optional sign, digits), held at the ends of
// 32 bits.
int32_t ReadNumber(const std::string& token) {
  size_t i = 0;
  bool negative = i < token.size() && token[i] == '-';
  if (negative) ++i;
  int64_t value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
    value = std::min<int64_t>(value * 10 + (token[i] - '0'), (int64_t)INT32_MAX + 1);
  return (int32_t)std::clamp<int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX);
}

// The list as tokens: each run of number characters with the character that
// ends it (':' opens a range; any other character, or the end, closes one).
struct Token {
  std::string number;
  char stop;
};

std::vector<Token> Tokens(std::string list) {
  if (list.size() > ListCapacity) list.resize(ListCapacity);
  std::vector<Token> tokens;
  size_t i = 0;
  for (;;) {
    size_t start = i;
    while (i < list.size() && IsNumberChar(list[i])) ++i;
    char stop = i < list.size() ? list[i] : '\0';
    tokens.push_back({list.substr(start, i - start), stop});
    if (stop == '\0' || i + 1 >= list.size()) break;
    ++i;
  }
  return tokens;
}

bool ReferenceInRange(const std::string& list, int32_t n) {
  if (list.empty()) return true;
  bool open = false;
  int32_t lo = 0;
  for (const Token& token : Tokens(list)) {
    if (token.stop == ':') {
      lo = ReadNumber(token.number);
      open = true;
    } else if (open) {
      int32_t hi = token.number.empty() ? OpenRangeEnd : ReadNumber(token.number);
      if (lo <= n && n <= hi) return true;
      open = false;
    } else if (ReadNumber(token.number) == n) {
      return true;
    }
  }
  return open && lo <= n && n <= OpenRangeEnd;
}

bool ReferenceSyntax(const std::string& text) { return text.find_first_not_of("0123456789-,:") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto [list, numbers] = SplitFirstLine(InputText(data, size));
  std::vector<int32_t> probes = {0, 1, -1, 10, 20, 21, INT32_MAX, INT32_MIN, OpenRangeEnd, OpenRangeEnd + 1};
  for (std::string rest = numbers; !rest.empty();) {
    auto [number, next] = SplitFirstLine(rest);
    probes.push_back(ReadNumber(number));
    rest = next;
  }
  FUZZ_CHECK(IsRangeSyntax(list.c_str()) == ReferenceSyntax(list), "range syntax differs from the reference");
  FUZZ_CHECK(InRangeList(nullptr, 5), "a missing list holds every number");
  for (int32_t n : probes)
    FUZZ_CHECK(InRangeList(list.c_str(), n) == ReferenceInRange(list, n), "range list differs from the reference");
  return 0;
}
