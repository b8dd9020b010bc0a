// The matcher against a dynamic-programming one. Input: pattern, line break, text.
// Over ASCII both agree in both case modes and for lists; other bytes must not crash.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "match/pattern_match.h"

namespace {

constexpr size_t WorkCapacity = 1024;  // the matcher's upper-cased copies

// match[i][j]: text from i on matches pattern from j on.
// A bare star matches every text, also one too long for the work buffers.
bool ReferenceMatch(const std::string& text, const std::string& pattern, bool caseSensitive) {
  if (pattern == "*") return true;
  if (!caseSensitive && (text.size() >= WorkCapacity || pattern.size() >= WorkCapacity)) return false;
  auto fold = [&](char c) { return caseSensitive ? c : (char)toupper((unsigned char)c); };
  size_t n = text.size(), m = pattern.size();
  std::vector<std::vector<bool>> match(n + 1, std::vector<bool>(m + 1, false));
  match[n][m] = true;
  for (size_t i = n + 1; i-- > 0;) {
    for (size_t j = m; j-- > 0;) {
      char p = pattern[j];
      if (p == '*') {
        match[i][j] = match[i][j + 1] || (i < n && match[i + 1][j]);
      } else if (i < n && (p == '?' || fold(p) == fold(text[i]))) {
        match[i][j] = match[i + 1][j + 1];
      }
    }
  }
  return match[0][0];
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

// The list as the driver prepares it (',' becomes NUL, one more NUL ends it).
std::string AsPatternList(std::string patterns) {
  std::replace(patterns.begin(), patterns.end(), ',', '\0');
  return patterns + std::string(1, '\0');
}

bool ReferenceListMatch(const std::string& text, const std::string& patterns) {
  size_t start = 0;
  while (start < patterns.size()) {
    size_t end = patterns.find(',', start);
    if (end == std::string::npos) end = patterns.size();
    std::string entry = patterns.substr(start, end - start);
    if (entry.empty()) return false;  // an empty entry ends the list
    bool exclude = entry[0] == '!';
    if (ReferenceMatch(text, exclude ? entry.substr(1) : entry, false)) return !exclude;
    start = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto [pattern, text] = SplitFirstLine(InputText(data, size));

  bool exact = MatchPattern(text.c_str(), pattern.c_str(), true);
  bool folded = MatchPattern(text.c_str(), pattern.c_str(), false);
  bool listed = MatchPatternList(text.c_str(), AsPatternList(pattern).c_str());
  FUZZ_CHECK(MatchPattern(text.c_str(), nullptr, true), "a missing pattern matches everything");
  FUZZ_CHECK(!MatchPattern(nullptr, pattern.c_str(), true), "a missing text matches nothing");
  if (!IsAscii(text) || !IsAscii(pattern)) return 0;
  FUZZ_CHECK(exact == ReferenceMatch(text, pattern, true), "case-sensitive match differs from the reference");
  FUZZ_CHECK(folded == ReferenceMatch(text, pattern, false), "case-insensitive match differs from the reference");
  FUZZ_CHECK(listed == ReferenceListMatch(text, pattern), "pattern list differs from the reference");
  return 0;
}
