#include "actions/parent_directory.h"

#include <cstring>

bool ParentDirectory(const char* path, char (&parent)[MAX_PATH]) {
  DWORD length = GetFullPathNameA(path, MAX_PATH, parent, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  if (parent[length - 1] == '\\') parent[length - 1] = '\0';
  char* cut = strrchr(parent, '\\');
  if (!cut) return false;
  *cut = '\0';
  return true;
}
