#include "platform/posix/sid_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string SidOfText(const std::string& text) {
  if (text.compare(0, 4, "S-1-") != 0) return std::string();
  const char* at = text.c_str() + 4;
  char* end;
  unsigned long long authority = strtoull(at, &end, 0);
  std::vector<DWORD> subs;
  while (*end == '-' && subs.size() < 15) {
    subs.push_back((DWORD)strtoul(end + 1, &end, 10));
  }
  if (*end != '\0') return std::string();
  std::string sid(8 + 4 * subs.size(), '\0');
  sid[0] = 1;
  sid[1] = (char)subs.size();
  for (int i = 0; i < 6; i++) sid[2 + i] = (char)(authority >> (8 * (5 - i)));
  memcpy(&sid[8], subs.data(), 4 * subs.size());
  return sid;
}

std::string TextOfSid(const void* sid) {
  const BYTE* bytes = static_cast<const BYTE*>(sid);
  unsigned long long authority = 0;
  for (int i = 0; i < 6; i++) authority = authority << 8 | bytes[2 + i];
  char number[24];
  snprintf(number, sizeof number, authority >> 32 ? "0x%llX" : "%llu", authority);
  std::string text = std::string("S-1-") + number;
  for (BYTE i = 0; i < bytes[1]; i++) {
    DWORD sub;
    memcpy(&sub, bytes + 8 + 4 * i, sizeof sub);
    text += '-' + std::to_string(sub);
  }
  return text;
}
