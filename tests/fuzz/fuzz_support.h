// What every fuzz target shares: a pinned environment for what the layer derives
// lazily (time zone, locale, code page), and a check that stops the run.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

// Standard error as it was at start-up: the fuzzer may close fd 2 to silence
// the parsers' messages, but a failed check must still be seen.
inline int FuzzReportFd = 2;

// Pins the environment the layer reads once, before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzReportFd = dup(2);
  setenv("TZ", "UTC", 1);
  setenv("LC_ALL", "C.UTF-8", 1);
  for (const char* name : {"KELTRO_DRIVES", "BELMIX_FORMAT", "QX_DATE_FORMAT", "QX_TIME_FORMAT"}) unsetenv(name);
  return 0;
}

// The input as a NUL-terminated text, cut at its first NUL.
inline std::string InputText(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  return text.substr(0, text.find('\0'));
}

// The text up to the first line break, and the rest after it (or nothing).
inline std::pair<std::string, std::string> SplitFirstLine(const std::string& text) {
  size_t cut = text.find('\n');
  return {text.substr(0, cut), cut == std::string::npos ? "" : text.substr(cut + 1)};
}

#define FUZZ_CHECK(condition, what)                                          \
  do {                                                                       \
    if (!(condition)) {                                                      \
      dprintf(FuzzReportFd, "fuzz check failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
      abort();                                                               \
    }                                                                        \
  } while (0)
