// A file's DACL as ACL text: "domain\name:RIGHTflags " for every entry.
#include "security/acl_text.h"

#include <cstdio>
#include <cstring>

#include "base/bounded_text.h"
#include "output/standard_output.h"
#include "security/accounts.h"

namespace {

constexpr int AclDescriptorSize = 4096;
// domain (23), backslash, name (23), colon, "0x%08X", four flags, space.
constexpr int AceTextCapacity = 64;

struct RightLetter {
  DWORD mask;
  const char* letter;
};

const RightLetter RightLetters[] = {
    {0x001200A9, "R"}, {GENERIC_READ | GENERIC_EXECUTE, "R"},
    {0x001301BF, "W"}, {GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE, "W"},
    {FILE_ALL_ACCESS, "F"}, {GENERIC_ALL, "F"},
    {GENERIC_EXECUTE, "X"},
};

struct FlagLetter {
  BYTE bit;
  char letter;
};

const FlagLetter FlagLetters[] = {
    {CONTAINER_INHERIT_ACE, 'c'},
    {INHERIT_ONLY_ACE, 'i'},
    {NO_PROPAGATE_INHERIT_ACE, 'n'},
    {OBJECT_INHERIT_ACE, 'o'},
};

// Appends the right of an entry: N for a denied entry, the letter of its
// mask, or the mask in hexadecimal.
void AppendRight(char* text, size_t capacity, const ACCESS_ALLOWED_ACE* ace) {
  if (ace->Header.AceType == ACCESS_DENIED_ACE_TYPE) {
    AppendText(text, capacity, "N");
    return;
  }
  for (const RightLetter& right : RightLetters) {
    if (ace->Mask == right.mask) {
      AppendText(text, capacity, right.letter);
      return;
    }
  }
  char hex[11];
  snprintf(hex, sizeof hex, "0x%08X", (unsigned)ace->Mask);
  AppendText(text, capacity, hex);
}

void AppendFlags(char* text, size_t capacity, BYTE flags) {
  char letters[sizeof FlagLetters / sizeof FlagLetters[0] + 1];
  size_t count = 0;
  for (const FlagLetter& flag : FlagLetters) {
    if (flags & flag.bit) letters[count++] = flag.letter;
  }
  letters[count] = '\0';
  AppendText(text, capacity, letters);
}

// The text of entry `index`: "domain\name:RIGHTflags ".
void WriteAceText(const char* systemName, const ACCESS_ALLOWED_ACE* ace, int index, char* text) {
  char domain[AccountPartCapacity];
  char name[AccountPartCapacity];
  // Allowed and denied entries keep the SID at the same place.
  if (!SidToName(systemName, (void*)&ace->SidStart, domain, name)) {
    PrintError("ASEC-ERROR, cannot resolve SID for ACE[%d]\n", index);
  }
  CopyText(text, AceTextCapacity, domain);
  AppendText(text, AceTextCapacity, "\\");
  AppendText(text, AceTextCapacity, name);
  AppendText(text, AceTextCapacity, ":");
  AppendRight(text, AceTextCapacity, ace);
  AppendFlags(text, AceTextCapacity, ace->Header.AceFlags);
  AppendText(text, AceTextCapacity, " ");
}

}  // namespace

int ReadAclText(const char* systemName, const char* path, char* text, size_t capacity) {
  alignas(8) static unsigned char descriptor[AclDescriptorSize];
  CopyText(text, capacity, "");
  DWORD needed = 0;
  if (!GetFileSecurityA(path, DACL_SECURITY_INFORMATION, descriptor, sizeof descriptor, &needed)) {
    PrintError("ASEC-ERROR, GetFileSecurity(%s) failed, error=%ld\n", path, (long)GetLastError());
    return 0;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted)) {
    PrintError("ASEC-ERROR, GetSecurityDescriptorDacl(%s) failed, error=%ld\n", path, (long)GetLastError());
    return 0;
  }
  return AclToText(systemName, present ? dacl : nullptr, text, capacity);
}

// Entries are written whole: the text ends after the last entry that fits
// `capacity`, and the count is still the list's.
int AclToText(const char* systemName, PACL dacl, char* text, size_t capacity) {
  CopyText(text, capacity, "");
  if (!dacl) return 0;
  size_t used = 0;
  for (int i = 0; i < dacl->AceCount; i++) {
    void* ace = nullptr;
    if (!GetAce(dacl, (DWORD)i, &ace)) {
      PrintError("ASEC-ERROR, GetAce() failed for ACE[%d], error=%ld\n", i, (long)GetLastError());
      return i;
    }
    char aceText[AceTextCapacity];
    WriteAceText(systemName, static_cast<const ACCESS_ALLOWED_ACE*>(ace), i, aceText);
    size_t length = strlen(aceText);
    if (used + length >= capacity) break;
    CopyText(text + used, capacity - used, aceText);
    used += length;
  }
  return dacl->AceCount;
}
