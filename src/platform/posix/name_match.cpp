// Case folding covers ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic,
// which is what Windows file systems fold for the names keltro meets.
#include "platform/posix/name_match.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/posix/layer.h"
#include "platform/posix/nls_codepage.h"

namespace {

// Decodes one UTF-8 character at text[*pos]; an invalid byte is returned as is.
uint32_t NextCodePoint(const unsigned char* text, size_t length, size_t* pos) {
  unsigned char lead = text[*pos];
  int extra = (lead >= 0xF0 && lead <= 0xF4) ? 3 : (lead >= 0xE0 && lead < 0xF0) ? 2
            : (lead >= 0xC2 && lead < 0xE0) ? 1 : 0;
  if (extra == 0 || *pos + extra >= length) {
    (*pos)++;
    return lead;
  }
  uint32_t code = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; i++) {
    unsigned char next = text[*pos + i];
    if ((next & 0xC0) != 0x80) {
      (*pos)++;
      return lead;
    }
    code = (code << 6) | (next & 0x3F);
  }
  *pos += extra + 1;
  return code;
}

uint32_t FoldCase(uint32_t c) {
  if (c < 0x80) return (uint32_t)UpperAscii((char)c);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // Latin-1
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: pairs upper/lower
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (oddUpper) return (c % 2 == 0) ? c - 1 : c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;  // Greek
  if (c == 0x3C2) return 0x3A3;                               // final sigma
  if (c >= 0x430 && c <= 0x44F) return c - 32;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

}  // namespace

std::vector<uint32_t> FoldedCodePoints(const char* text) {
  std::vector<uint32_t> out;
  size_t length = strlen(text);
  const unsigned char* bytes = (const unsigned char*)text;
  for (size_t pos = 0; pos < length;) out.push_back(FoldCase(NextCodePoint(bytes, length, &pos)));
  return out;
}

void AppendFoldedName(std::string* out, const char* name) {
  size_t length = strlen(name);
  const unsigned char* bytes = (const unsigned char*)name;
  for (size_t pos = 0; pos < length;) {
    if (bytes[pos] < 0x80) {
      *out += UpperAscii(name[pos++]);
      continue;
    }
    size_t start = pos;
    uint32_t folded = FoldCase(NextCodePoint(bytes, length, &pos));
    unsigned char encoded[4];
    if (pos - start == 1) out->push_back(name[start]);  // no valid sequence
    else out->append((const char*)encoded, EncodeUtf8(folded, encoded));
  }
  out->push_back('\0');
}

bool NamesEqualIgnoringCase(const char* a, const char* b) {
  return FoldedCodePoints(a) == FoldedCodePoints(b);
}

bool MatchWildcardIgnoringCase(const char* pattern, const char* name) {
  if (strcmp(pattern, "*.*") == 0 || strcmp(pattern, "*") == 0) return true;
  std::vector<uint32_t> p = FoldedCodePoints(pattern);
  std::vector<uint32_t> n = FoldedCodePoints(name);
  // Greedy matching with one backtrack point: the last `*` seen.
  size_t pi = 0, ni = 0, starP = SIZE_MAX, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      pi++;
      ni++;
    } else if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starN = ni;
    } else if (starP != SIZE_MAX) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') pi++;
  return pi == p.size();
}
