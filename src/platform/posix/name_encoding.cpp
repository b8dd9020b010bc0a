#include "platform/posix/name_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/posix/nls_codepage.h"

namespace {

constexpr char32_t kFirstStandIn = 0xF000;
constexpr char kReserved[] = "\"*:<>?\\|";  // U+F020 to U+F027
constexpr char32_t kTrailingBlank = 0xF028;
constexpr char32_t kTrailingPeriod = 0xF029;

// The stand-in of every byte that needs one wherever it stands; 0 for the others.
constexpr std::array<char32_t, 256> StandInTable() {
  std::array<char32_t, 256> table{};
  for (unsigned byte = 0x01; byte <= 0x1F; ++byte) table[byte] = kFirstStandIn + byte;
  for (unsigned i = 0; kReserved[i]; ++i) table[(unsigned char)kReserved[i]] = 0xF020 + i;
  return table;
}
constexpr std::array<char32_t, 256> kStandIns = StandInTable();

// Each byte upper-cased (low byte), and 0x100 when it keeps a name from
// being plain (ASCII shown as it is): a byte above 0x7F, or one that needs a
// stand-in wherever it stands.
constexpr std::array<uint16_t, 256> PlainFoldTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    unsigned upper = byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte;
    table[byte] = (uint16_t)(upper | (byte >= 0x80 || kStandIns[byte] ? 0x100 : 0));
  }
  return table;
}
constexpr std::array<uint16_t, 256> kPlainFold = PlainFoldTable();

bool IsDotName(std::string_view name) { return name == "." || name == ".."; }

// The stand-in in the ANSI page: UTF-8 bytes, or what the 8-bit page has for
// it (nothing, so its default character).
void AppendStandIn(std::string& out, char32_t standIn, UINT ansiPage) {
  if (ansiPage == CP_UTF8) {
    unsigned char bytes[4];
    out.append((const char*)bytes, EncodeUtf8(standIn, bytes));
    return;
  }
  unsigned char byte;
  out += UnicodeToTableByte(ansiPage, standIn, &byte) ? (char)byte : '?';
}

// Where the first character to replace stands: name.size() when there is none.
size_t FirstToReplace(std::string_view name) {
  size_t size = name.size();
  for (size_t i = 0; i < size; ++i) {
    if (kStandIns[(unsigned char)name[i]]) return i;
  }
  return size > 0 && StandInAt(name, size - 1) ? size - 1 : size;
}

void AppendShown(std::string& out, std::string_view name) {
  size_t i = FirstToReplace(name);
  if (i == name.size()) {
    out += name;
    return;
  }
  UINT page = CurrentCodePages().Ansi;
  out += name.substr(0, i);
  for (; i < name.size(); ++i) {
    char32_t standIn = StandInAt(name, i);
    if (standIn) {
      AppendStandIn(out, standIn, page);
    } else {
      out += name[i];
    }
  }
}

// The UTF-8 form of U+F001 to U+F029 is EF 80 81 to EF 80 A9: the byte that
// the stand-in at text[i] stands for, or 0 when there is none.
char OriginalAt(std::string_view text, size_t i) {
  if (i + 3 > text.size() || text.compare(i, 2, "\xEF\x80") != 0) return 0;
  unsigned char last = (unsigned char)text[i + 2];
  if (last < 0x81 || last > 0xA9) return 0;
  char32_t standIn = kFirstStandIn + (last - 0x80);
  if (standIn < 0xF020) return (char)(standIn - kFirstStandIn);
  if (standIn < kTrailingBlank) return kReserved[standIn - 0xF020];
  if (i + 3 != text.size()) return 0;  // a blank or period stands in only at the end
  return standIn == kTrailingBlank ? ' ' : '.';
}

}  // namespace

char32_t StandInAt(std::string_view name, size_t i) {
  unsigned char byte = (unsigned char)name[i];
  if (kStandIns[byte]) return kStandIns[byte];
  if (i + 1 < name.size() || IsDotName(name)) return 0;
  return byte == ' ' ? kTrailingBlank : byte == '.' ? kTrailingPeriod : 0;
}

const char* ShownName(const char* name, std::string& shown) {
  std::string_view text(name);
  if (FirstToReplace(text) == text.size()) return name;
  shown.clear();
  AppendShown(shown, text);
  return shown.c_str();
}

bool AppendFoldedIfPlain(std::string* out, const char* name, size_t length) {
  size_t start = out->size();
  out->append(name, length + 1);
  char* folded = out->data() + start;
  unsigned notPlain = 0;
#pragma GCC unroll 4
  for (size_t i = 0; i < length; ++i) {
    unsigned entry = kPlainFold[(unsigned char)folded[i]];
    notPlain |= entry;
    folded[i] = (char)entry;
  }
  char last = length ? name[length - 1] : '\0';
  if (!(notPlain & 0x100) && last != ' ' && last != '.') return true;
  out->resize(start);
  return false;
}

#ifdef __SSE2__
// Sixteen bytes at a time: the lanes before the terminator are the name's;
// a lane below 0x20 or above 0x7F (signed below 0x20) or holding a reserved
// character keeps the name from being plain.
size_t FoldListedName(const char* name, char (&folded)[kFoldedNameRoom], bool* plain) {
  const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  __m128i notPlain = _mm_setzero_si128();
  size_t length = kFoldedNameRoom;  // no terminator: never from a directory read
  for (size_t at = 0; at < kFoldedNameRoom; at += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(name + at));
    unsigned ends = (unsigned)_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
    int inName = ends ? __builtin_ctz(ends) : 16;
    __m128i kept = _mm_cmpgt_epi8(_mm_set1_epi8((char)inName), lanes);
    bytes = _mm_and_si128(bytes, kept);
    __m128i odd = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    static_assert(sizeof kReserved == 9, "eight reserved characters");
    odd = _mm_or_si128(odd, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[0])),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[1]))));
    odd = _mm_or_si128(odd, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[2])),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[3]))));
    odd = _mm_or_si128(odd, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[4])),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[5]))));
    odd = _mm_or_si128(odd, _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[6])),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kReserved[7]))));
    notPlain = _mm_or_si128(notPlain, _mm_and_si128(odd, kept));
    __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('a' - 1)),
                                  _mm_cmplt_epi8(bytes, _mm_set1_epi8('z' + 1)));
    bytes = _mm_sub_epi8(bytes, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(folded + at), bytes);
    if (ends) {
      length = at + inName;
      break;
    }
  }
  if (length == kFoldedNameRoom) {
    *plain = false;
    return kFoldedNameRoom - 1;
  }
  char last = length ? name[length - 1] : '\0';
  *plain = _mm_movemask_epi8(notPlain) == 0 && last != ' ' && last != '.';
  return length;
}
#else
size_t FoldListedName(const char* name, char (&folded)[kFoldedNameRoom], bool* plain) {
  size_t length = strnlen(name, kFoldedNameRoom - 1);
  std::string text;
  *plain = AppendFoldedIfPlain(&text, name, length);
  memset(folded, 0, sizeof folded);
  if (*plain) memcpy(folded, text.data(), length);
  return length;
}
#endif

std::string PosixName(std::string_view component) {
  if (CurrentCodePages().Ansi != CP_UTF8 || component.find("\xEF\x80") == std::string_view::npos)
    return std::string(component);
  std::string name;
  for (size_t i = 0; i < component.size();) {
    char original = OriginalAt(component, i);
    name += original ? original : component[i];
    i += original ? 3 : 1;
  }
  return IsDotName(name) ? std::string(component) : name;
}

std::string ShownPath(std::string_view posixPath) {
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t slash = posixPath.find('/', start);
    AppendShown(out, posixPath.substr(start, slash - start));
    if (slash == std::string_view::npos) return out;
    out += '\\';
    start = slash + 1;
  }
}
