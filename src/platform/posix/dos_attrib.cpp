#include "platform/posix/dos_attrib.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/posix/listed_entry.h"
#include "platform/posix/syscalls.h"

const char kDosAttribXattr[] = "user.DOSATTRIB";
const char kCreationTimeXattr[] = "user.keltro.ctime";

namespace {

// Flags of the valid_flags word of record versions 3 to 5.
constexpr DWORD kValidAttributes = 0x01;
constexpr DWORD kValidCreationTime = 0x10;

DWORD ReadLe32(const unsigned char* p) {
  return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

ULONGLONG ReadLe64(const unsigned char* p) {
  return (ULONGLONG)ReadLe32(p) | ((ULONGLONG)ReadLe32(p + 4) << 32);
}

bool ParseHex(const unsigned char* data, size_t length, DWORD& value) {
  if (length < 3 || data[0] != '0' || (data[1] != 'x' && data[1] != 'X')) return false;
  value = 0;
  size_t i = 2;
  for (; i < length && data[i] != '\0'; i++) {
    int c = data[i];
    int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = (value << 4) | (DWORD)digit;
  }
  return i > 2;
}

// Where each record version keeps its fields, counted from the record start:
// versions 3-5 begin with valid_flags; 1 and 2 carry no flags.
struct RecordLayout {
  int attribOffset;
  int creationOffset;
  bool hasFlags;
};

bool LayoutOf(unsigned version, RecordLayout& layout) {
  switch (version) {
    case 1: layout = {0, 24, false}; return true;  // attrib ea_size size alloc create change
    case 2: layout = {4, 28, false}; return true;  // flags attrib ea_size size alloc create ...
    case 3: layout = {4, 28, true}; return true;   // valid attrib ea_size size alloc create change
    case 4: layout = {4, 16, true}; return true;   // valid attrib itime create
    case 5: layout = {4, 8, true}; return true;    // valid attrib create
  }
  return false;
}

// The binary record after the leading text: version (16 bits), the same
// number again as the union level, then the record aligned to 4 bytes.
bool ParseBinaryRecord(const unsigned char* data, size_t length, DosAttrib& out) {
  const unsigned char* nul = (const unsigned char*)memchr(data, '\0', length);
  if (!nul) return false;
  size_t offset = (size_t)(nul - data) + 1;
  offset = (offset + 1) & ~(size_t)1;
  if (offset + 4 > length) return false;
  unsigned version = data[offset] | (data[offset + 1] << 8);
  offset = (offset + 4 + 3) & ~(size_t)3;
  RecordLayout layout;
  if (!LayoutOf(version, layout)) return false;
  const unsigned char* record = data + offset;
  size_t available = length - offset;
  if ((size_t)layout.attribOffset + 4 > available) return false;
  DWORD valid = layout.hasFlags ? ReadLe32(record) : kValidAttributes | kValidCreationTime;
  out.hasAttributes = (valid & kValidAttributes) != 0;
  out.attributes = ReadLe32(record + layout.attribOffset);
  if ((valid & kValidCreationTime) && (size_t)layout.creationOffset + 8 <= available) {
    out.creationTime = ReadLe64(record + layout.creationOffset);
    out.hasCreationTime = out.creationTime != 0;
  }
  return true;
}

}  // namespace

DosAttrib ParseDosAttrib(const unsigned char* data, size_t length) {
  DosAttrib out{};
  DWORD hex = 0;
  bool hexValid = ParseHex(data, length, hex);
  if (!ParseBinaryRecord(data, length, out) || !out.hasAttributes) {
    out.hasAttributes = hexValid;
    out.attributes = hexValid ? hex : 0;
  }
  return out;
}

std::string DosAttribText(DWORD attributes) {
  char text[16];
  snprintf(text, sizeof text, "0x%x", (unsigned)attributes);
  return text;
}

bool ParseCreationTimeText(const char* text, size_t length, ULONGLONG& time) {
  if (length == 0 || length > 20) return false;
  ULONGLONG value = 0;
  for (size_t i = 0; i < length; i++) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (ULONGLONG)(text[i] - '0');
  }
  time = value;
  return true;
}

std::string CreationTimeText(ULONGLONG time) { return std::to_string(time); }

bool CannotHoldUserXattr(int err) { return err == ENOTSUP || err == EPERM; }

EntryXattrs ReadEntryXattrs(const std::string& posixPath) {
  EntryXattrs found;
  // One call tells which of the two attributes exist; most files have none.
  char names[1024];
  ssize_t length = Sys.listxattr(posixPath.c_str(), names, sizeof names);
  if (length == 0) NoteListedWithoutXattrs(posixPath.c_str());  // a copy of it need not look again
  if (length == 0 || (length < 0 && errno != ERANGE)) return found;
  bool all = length < 0;  // a list too long to read: ask for both
  bool hasDos = all, hasCreation = all;
  for (ssize_t at = 0; at < length; at += (ssize_t)strlen(names + at) + 1) {
    if (strcmp(names + at, kDosAttribXattr) == 0) hasDos = true;
    if (strcmp(names + at, kCreationTimeXattr) == 0) hasCreation = true;
  }
  if (hasDos) found.dos = ReadDosAttrib(posixPath);
  if (hasCreation) found.hasStoredCreationTime = ReadStoredCreationTime(posixPath, found.storedCreationTime);
  return found;
}

DosAttrib ReadDosAttrib(const std::string& posixPath) {
  unsigned char value[256];
  ssize_t length = Sys.getxattr(posixPath.c_str(), kDosAttribXattr, value, sizeof value);
  if (length <= 0) return DosAttrib{};
  return ParseDosAttrib(value, (size_t)length);
}

bool ReadStoredCreationTime(const std::string& posixPath, ULONGLONG& time) {
  char value[32];
  ssize_t length = Sys.getxattr(posixPath.c_str(), kCreationTimeXattr, value, sizeof value);
  return length > 0 && ParseCreationTimeText(value, (size_t)length, time);
}
