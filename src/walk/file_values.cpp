#include "walk/file_values.h"

#include "driver/load_format.h"
#include "driver/param_tables.h"
#include "driver/settings.h"
#include "sources/pattern_match.h"
#include "walk/entry_security.h"
#include "walk/path_compose.h"

EntryValueStore EntryValues;

// e d N n s M L C a f S D, then u x o, then g T, then the end entry.
PlaceholderEntry FileValues[18];

// Which of an entry's times (M, L, C) anything in this run reads; converting
// a time to local time is a good part of the cost of an entry, so only the
// times a format shows or a criterion tests are converted.
static const char TimeLetters[] = "MLC";
static bool TimeNeeded[3] = {true, true, true};

// Like the owner test of the entry: any '~' before the letter counts.
static bool TimeIsNeeded(char letter, const char* format) {
  const char pattern[] = {'*', '~', '*', letter, '*', '\0'};
  return CurrentCommand != CMD_SHO || FindCriterion(letter)->status == PS_GIVEN ||
         MatchPattern(format, pattern, true);
}

static uint64_t LocalTime(const FILETIME& utc) {
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
  return ((uint64_t)local.dwHighDateTime << 32) | local.dwLowDateTime;
}

void FormatAttributes(DWORD attributes, char* text) {
  static const struct {
    DWORD bit;
    char letter;
  } Letters[6] = {
      {FILE_ATTRIBUTE_READONLY, 'R'}, {FILE_ATTRIBUTE_HIDDEN, 'H'},     {FILE_ATTRIBUTE_SYSTEM, 'S'},
      {FILE_ATTRIBUTE_ARCHIVE, 'A'},  {FILE_ATTRIBUTE_COMPRESSED, 'C'}, {FILE_ATTRIBUTE_DIRECTORY, 'D'},
  };
  for (int i = 0; i < 6; i++) text[i] = (attributes & Letters[i].bit) ? Letters[i].letter : '.';
  text[6] = '\0';
}

void BindFileValues(const char* domain, const char* server, const char* location) {
  EntryValueStore& v = EntryValues;
  int i = 0;
  auto bind = [&i](int16_t kind, char letter, const void* value) { FileValues[i++] = {kind, letter, value}; };
  char format[LineCapacity];
  LoadFormat(FileFormat, format);
  for (int t = 0; t < 3; t++) TimeNeeded[t] = TimeIsNeeded(TimeLetters[t], format);
  v.Domain = domain;
  v.Server = server;
  v.Location = location;
  v.Directory = CurrentDirPath + DirectoryPartStart;
  bind(PK_TEXT, 'e', v.Location);
  bind(PK_TEXT, 'd', v.Directory);
  bind(PK_TEXT, 'N', "");
  bind(PK_TEXT, 'n', v.NameWithoutExt);
  bind(PK_NUMBER, 's', &v.Size);
  bind(PK_FILETIME, 'M', &v.WriteTime);
  bind(PK_FILETIME, 'L', &v.AccessTime);
  bind(PK_FILETIME, 'C', &v.CreationTime);
  bind(PK_TEXT, 'a', v.Attributes);
  bind(PK_TEXT, 'f', v.FullName);
  bind(PK_TEXT, 'S', v.Server);
  bind(PK_TEXT, 'D', v.Domain);
  if (NeedOwner) {
    bind(PK_TEXT, 'u', v.OwnerUser);
    bind(PK_TEXT, 'x', v.OwnerDomain);
    bind(PK_TEXT, 'o', v.OwnerText);
  }
  if (NeedSecurity) {
    bind(PK_TEXT, 'g', v.AclText);
    bind(PK_NUMBER, 'T', &v.AceCount);
  }
  bind(PK_END, 0, nullptr);
}

// Position of N in FileValues (its value is the listed name itself).
constexpr int NameEntry = 2;

bool FillFileValues(const WIN32_FIND_DATAA* entry) {
  EntryValueStore& v = EntryValues;
  if (!JoinName(v.FullName, sizeof v.FullName, CurrentDirPath, entry->cFileName)) return false;
  v.Name = entry->cFileName;
  FileValues[NameEntry].value = v.Name;
  NameWithoutExtension(v.NameWithoutExt, sizeof v.NameWithoutExt, entry->cFileName);
  v.Size = (int32_t)ListedSize(entry);
  if (TimeNeeded[0]) v.WriteTime = LocalTime(entry->ftLastWriteTime);
  if (TimeNeeded[1]) v.AccessTime = LocalTime(entry->ftLastAccessTime);
  if (TimeNeeded[2]) v.CreationTime = LocalTime(entry->ftCreationTime);
  FormatAttributes(entry->dwFileAttributes, v.Attributes);
  ReadEntrySecurity(v.Server, v.FullName);
  return true;
}
