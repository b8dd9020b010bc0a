// The DOS attribute word and the creation time kept in extended attributes.
//
// user.DOSATTRIB is the attribute that Samba and Wine use. keltro reads both
// forms Samba writes: the hex text ("0x22") and Samba's binary record (the
// hex text or an empty text, NUL, then a versioned record, versions 1 to 5,
// which may carry a creation time); it writes the hex text.
// user.keltro.ctime holds a creation time set through SetFileTime, as the
// decimal count of 100 ns units since 1601-01-01 UTC.
#pragma once

#include <string>

#include "platform/win32.h"

extern const char kDosAttribXattr[];      // "user.DOSATTRIB"
extern const char kCreationTimeXattr[];   // "user.keltro.ctime"

struct DosAttrib {
  bool hasAttributes;
  DWORD attributes;
  bool hasCreationTime;
  ULONGLONG creationTime;  // FILETIME value, UTC
};

// Decodes the value of user.DOSATTRIB (either form).
DosAttrib ParseDosAttrib(const unsigned char* data, size_t length);

// The hex text keltro writes ("0x22").
std::string DosAttribText(DWORD attributes);

// Decodes / encodes the value of user.keltro.ctime.
bool ParseCreationTimeText(const char* text, size_t length, ULONGLONG& time);
std::string CreationTimeText(ULONGLONG time);

// True when a set of a user extended attribute failed because the file
// system (ENOTSUP) or the kind of entry (EPERM: links, devices) holds none.
bool CannotHoldUserXattr(int err);

// Read through the layer's system-call table, without following a link; an
// attribute that is missing or unreadable counts as absent.
DosAttrib ReadDosAttrib(const std::string& posixPath);

// Both attributes of an entry, with one call for an entry that has neither.
struct EntryXattrs {
  DosAttrib dos{};
  bool hasStoredCreationTime = false;
  ULONGLONG storedCreationTime = 0;
};
EntryXattrs ReadEntryXattrs(const std::string& posixPath);
bool ReadStoredCreationTime(const std::string& posixPath, ULONGLONG& time);
