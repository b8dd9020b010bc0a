// Case folding covers ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic,
// which is what Windows file systems fold for the names keltro meets. Names
// are read in the ANSI code page in force.
#include "platform/posix/name_match.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/layer.h"
#include "platform/posix/name_encoding.h"
#include "platform/posix/nls_codepage.h"

namespace {

// Marks a byte that is no character of the code page in force: it stands for
// itself, equal to no character and to no other byte, so no name is ever taken
// for one spelled with other bytes.
constexpr uint32_t kLoneByte = 0x80000000;

// One character of a name at text[*pos]: a code point of UTF-8 read strictly,
// or of the 8-bit page in force.
uint32_t NextCodePoint(const unsigned char* text, size_t length, size_t* pos, UINT page) {
  if (page != CP_UTF8) return TableByteToUnicode(page, text[(*pos)++]);
  size_t used;
  char32_t code = DecodeUtf8(text + *pos, length - *pos, &used);
  if (code == InvalidCodePoint) return kLoneByte | text[(*pos)++];
  *pos += used;
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

// The characters of text with case folded away; with standIns, each
// character a Win32 name cannot hold counts as its stand-in.
std::vector<uint32_t> Folded(const char* text, bool standIns) {
  std::string_view name(text);
  std::vector<uint32_t> out;
  out.reserve(name.size());
  const unsigned char* bytes = (const unsigned char*)text;
  UINT page = CurrentCodePages().Ansi;
  for (size_t pos = 0; pos < name.size();) {
    char32_t standIn = standIns ? StandInAt(name, pos) : 0;
    if (standIn) {
      pos++;
      out.push_back(standIn);
    } else if (page == CP_UTF8 && bytes[pos] < 0x80) {  // ASCII is read as itself
      out.push_back((uint32_t)UpperAscii((char)bytes[pos++]));
    } else {
      out.push_back(FoldCase(NextCodePoint(bytes, name.size(), &pos, page)));
    }
  }
  return out;
}

}  // namespace

std::vector<uint32_t> FoldedCodePoints(const char* name) { return Folded(name, true); }

void FoldedKey(const char* name, std::string& key) {
  key.clear();
  if (CurrentCodePages().Ansi == CP_UTF8 && AppendFoldedIfPlain(&key, name, strlen(name))) {  // as Folded reads it
    key.pop_back();
    return;
  }
  key.assign(1, '\xFF');
  for (uint32_t c : Folded(name, true))
    for (int shift = 24; shift >= 0; shift -= 8) key.push_back((char)(c >> shift));
}

void AppendFoldedName(std::string* out, const char* name) {
  size_t length = strlen(name);
  size_t start = out->size();
  out->resize(start + length + 1);
  char* folded = out->data() + start;
  unsigned char high = 0;  // every byte of the name or-ed: ASCII when below 0x80
  for (size_t i = 0; i <= length; ++i) {  // the common case, without decoding
    high |= (unsigned char)name[i];
    folded[i] = UpperAscii(name[i]);
  }
  if (high < 0x80) return;
  out->resize(start);
  for (uint32_t c : Folded(name, false)) {
    unsigned char encoded[4];
    if (c & kLoneByte) out->push_back((char)(c & 0xFF));
    else out->append((const char*)encoded, EncodeUtf8(c, encoded));
  }
  out->push_back('\0');
}

bool NamesEqualIgnoringCase(const char* a, const char* b) {
  return FoldedCodePoints(a) == FoldedCodePoints(b);
}

bool MatchWildcardIgnoringCase(const char* pattern, const char* name) {
  if (strcmp(pattern, "*.*") == 0 || strcmp(pattern, "*") == 0) return true;
  std::vector<uint32_t> p = Folded(pattern, false);
  std::vector<uint32_t> n = Folded(name, false);
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
