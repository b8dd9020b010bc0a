#include "walk/file_values.h"

#include "base/settings.h"
#include "base/time_value.h"
#include "walk/entry_security.h"
#include "walk/path_compose.h"
#include "walk/run_values.h"

EntryValueStore EntryValues;

// e d N n s M L C a f S D, then u x o, then g T, then the end entry.
PlaceholderEntry FileValues[18];

// Whether anything of the run can read the name without its extension and
// the attribute letters: a ~F or ~g line of sho, a command other than sho,
// del and the copying ones (set's templates take any letter), or a criterion
// of the attributes. A run of totals only, a del and a cop spare every entry
// writing them: del and cop read only the full name and the times.
static bool EntryTextsRead = true;

// Whether anything of the run reads the full name: a command other than sho,
// a ~F line, or the owner and ACL reads. A sho run of totals only checks
// that the name fits but spares every entry writing it.
static bool FullNameRead = true;

static uint64_t LocalTime(const FILETIME& utc) {
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
  return TimeValueOf(local);
}

void FormatAttributes(DWORD attributes, char* text) {
  text[0] = (attributes & FILE_ATTRIBUTE_READONLY) ? 'R' : '.';
  text[1] = (attributes & FILE_ATTRIBUTE_HIDDEN) ? 'H' : '.';
  text[2] = (attributes & FILE_ATTRIBUTE_SYSTEM) ? 'S' : '.';
  text[3] = (attributes & FILE_ATTRIBUTE_ARCHIVE) ? 'A' : '.';
  text[4] = (attributes & FILE_ATTRIBUTE_COMPRESSED) ? 'C' : '.';
  text[5] = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 'D' : '.';
  text[6] = '\0';
}

void BindFileValues(const char* domain, const char* server, const char* location) {
  EntryValueStore& v = EntryValues;
  int i = 0;
  auto bind = [&i](int16_t kind, char letter, const void* value) { FileValues[i++] = {kind, letter, value}; };
  v.Domain = domain;
  v.Server = server;
  v.Location = location;
  v.Directory = CurrentDirPath + DirectoryPartStart;
  bool shownLines = CurrentCommand == CMD_SHO && (FileFormat[0] || (AceFormat[0] && NeedSecurity));
  bool namesOnlyCommand = CurrentCommand == CMD_DEL || IsCopyCommand(CurrentCommand);
  bool commandReads = CurrentCommand == CMD_SHO ? shownLines : !namesOnlyCommand;
  EntryTextsRead = commandReads || Run.CriterionRows[(unsigned char)'a'];
  FullNameRead = CurrentCommand != CMD_SHO || FileFormat[0] || NeedOwner || NeedSecurity;
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

bool EntryTextsAreRead() { return EntryTextsRead; }

// Position of N in FileValues (its value is the listed name itself).
constexpr int NameEntry = 2;

bool FillFileValues(const WIN32_FIND_DATAA* entry, size_t dirLength, bool dirInPlace) {
  EntryValueStore& v = EntryValues;
  // A directory that leaves room for the longest listed name needs no measure of this one.
  bool fits = FullNameRead
                  ? JoinNameTo(v.FullName, sizeof v.FullName, CurrentDirPath, dirLength, dirInPlace, entry->cFileName)
                  : dirLength + sizeof entry->cFileName <= sizeof v.FullName ||
                        NameFits(sizeof v.FullName, CurrentDirPath, dirLength, entry->cFileName);
  if (!fits) return false;
  v.Name = entry->cFileName;
  FileValues[NameEntry].value = v.Name;
  if (EntryTextsRead) NameWithoutExtension(v.NameWithoutExt, sizeof v.NameWithoutExt, entry->cFileName);
  v.Size = (int32_t)ListedSize(entry);
  if (Run.TimeNeeded[0]) v.WriteTime = LocalTime(entry->ftLastWriteTime);
  if (Run.TimeNeeded[1]) v.AccessTime = LocalTime(entry->ftLastAccessTime);
  if (Run.TimeNeeded[2]) v.CreationTime = LocalTime(entry->ftCreationTime);
  if (EntryTextsRead) FormatAttributes(entry->dwFileAttributes, v.Attributes);
  if (NeedOwner || NeedSecurity) ReadEntrySecurity(v.Server, v.FullName);
  return true;
}
