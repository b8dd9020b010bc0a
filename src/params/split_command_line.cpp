#include <cstring>

#include "params/command_line.h"

namespace {

bool IsPrefix(char c) { return c == '+' || c == '-' || c == '/' || c == '~'; }

char* SkipBlanks(char* p) {
  while (*p == ' ') ++p;
  return p;
}

}  // namespace

int SplitCommandLine(char* line, char** words, int maxWords) {
  int count = 0;
  char* p = SkipBlanks(line);
  while (*p) {
    if (count == maxWords) return maxWords + 1;
    char* prefix = IsPrefix(*p) ? p : nullptr;
    bool quoted = (*p == '"');
    if (quoted) ++p;
    words[count++] = p;
    for (;;) {
      char c = *p;
      if (c == '\0') return count;
      if (c == ' ' && !quoted) break;
      if (c == '"' && !quoted) {
        if (prefix && p == prefix + 2) {
          memmove(p, p + 1, strlen(p + 1) + 1);  // drop the quote, quote the rest
          quoted = true;
          continue;
        }
      } else if (c == '"' && quoted) {
        if ((unsigned char)p[1] <= 32) break;  // the closing quote
      }
      ++p;
    }
    *p = '\0';
    p = SkipBlanks(p + 1);
  }
  return count;
}
