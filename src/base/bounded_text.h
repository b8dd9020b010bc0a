// Bounded text copies: every fixed-size text in keltro is filled through these,
// so nothing is ever written past a buffer. Each returns false when the source
// did not fit and was cut (the destination is always terminated).
#pragma once

#include <cstddef>
#include <cstring>

inline bool CopyText(char* dest, size_t capacity, const char* source) {
  if (capacity == 0) return false;
  size_t length = source ? strlen(source) : 0;
  bool fits = length < capacity;
  if (!fits) length = capacity - 1;
  if (length) memmove(dest, source, length);
  dest[length] = '\0';
  return fits;
}

// Copies at most `count` bytes of source.
inline bool CopyTextN(char* dest, size_t capacity, const char* source, size_t count) {
  if (capacity == 0) return false;
  bool fits = count < capacity;
  if (!fits) count = capacity - 1;
  if (count) memmove(dest, source, count);
  dest[count] = '\0';
  return fits;
}

inline bool AppendText(char* dest, size_t capacity, const char* source) {
  size_t used = strnlen(dest, capacity);
  if (used >= capacity) return false;
  return CopyText(dest + used, capacity - used, source);
}

template <size_t N>
inline bool CopyText(char (&dest)[N], const char* source) {
  return CopyText(dest, N, source);
}
template <size_t N>
inline bool AppendText(char (&dest)[N], const char* source) {
  return AppendText(dest, N, source);
}
