// The drive map (see drive_map.h) and the two Win32 calls that answer from
// it: GetLogicalDrives and GetDriveTypeA.
#include "platform/posix/drive_map.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/path_lookup.h"

namespace {



std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool TypeFromName(std::string name, UINT& type) {
  for (char& c : name) c = UpperAscii(c);
  static const struct { const char* name; UINT type; } kTypes[] = {
      {"FIXED", DRIVE_FIXED},     {"REMOTE", DRIVE_REMOTE},   {"CDROM", DRIVE_CDROM},
      {"REMOVABLE", DRIVE_REMOVABLE}, {"RAMDISK", DRIVE_RAMDISK}};
  for (const auto& t : kTypes) {
    if (name == t.name) {
      type = t.type;
      return true;
    }
  }
  return false;
}

// Adds or replaces the drive of entry.letter, keeping letter order.
void PutDrive(std::vector<DriveEntry>& drives, const DriveEntry& entry) {
  auto it = std::find_if(drives.begin(), drives.end(),
                         [&](const DriveEntry& d) { return d.letter >= entry.letter; });
  if (it != drives.end() && it->letter == entry.letter) {
    *it = entry;
  } else {
    drives.insert(it, entry);
  }
}

// One "L=/path[,type]" entry.
bool ParseDriveEntry(const std::string& text, DriveEntry& entry) {
  size_t equals = text.find('=');
  if (equals == std::string::npos) return false;
  std::string letter = Trim(text.substr(0, equals));
  std::string rest = text.substr(equals + 1);
  if (letter.size() != 1 || !IsDriveLetter(letter[0])) return false;
  entry.letter = UpperAscii(letter[0]);
  entry.type = DRIVE_FIXED;
  size_t comma = rest.find(',');
  if (comma != std::string::npos) {
    if (!TypeFromName(Trim(rest.substr(comma + 1)), entry.type)) return false;
    rest = rest.substr(0, comma);
  }
  entry.root = WithoutTrailingSlash(Trim(rest));
  return !entry.root.empty() && entry.root[0] == '/';
}

// File systems that hold no files of their own (kernel interfaces).
bool IsPseudoFileSystem(const std::string& type) {
  static const char* const kPseudo[] = {
      "proc",     "sysfs",      "devtmpfs", "devpts",     "cgroup",     "cgroup2",  "securityfs",
      "debugfs",  "tracefs",    "pstore",   "bpf",        "mqueue",     "hugetlbfs", "configfs",
      "fusectl",  "binfmt_misc", "autofs",  "efivarfs",   "rpc_pipefs", "nsfs",     "selinuxfs",
      "nfsd"};
  for (const char* p : kPseudo) {
    if (type == p) return true;
  }
  return false;
}

// Mounts inside the kernel's and the init system's own trees are left out too.
bool IsInSystemTree(const std::string& mountPoint) {
  static const char* const kTrees[] = {"/proc", "/sys", "/dev", "/run", "/snap"};
  for (const char* tree : kTrees) {
    size_t n = strlen(tree);
    if (mountPoint.compare(0, n, tree) == 0 && (mountPoint.size() == n || mountPoint[n] == '/'))
      return true;
  }
  return false;
}

UINT TypeOfFileSystem(const std::string& type) {
  static const char* const kRemote[] = {"nfs",   "nfs4",      "cifs",     "smb3", "smbfs",
                                        "sshfs", "fuse.sshfs", "9p",      "ceph", "glusterfs",
                                        "afs",   "fuse.glusterfs", "davfs", "fuse.davfs2"};
  for (const char* r : kRemote) {
    if (type == r) return DRIVE_REMOTE;
  }
  if (type == "iso9660" || type == "udf") return DRIVE_CDROM;
  if (type == "tmpfs" || type == "ramfs") return DRIVE_RAMDISK;
  return DRIVE_FIXED;
}

// mountinfo writes blanks, tabs, newlines and backslashes as \ooo.
std::string UnescapeMountField(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); i++) {
    if (field[i] == '\\' && i + 3 < field.size() && isdigit((unsigned char)field[i + 1]) &&
        isdigit((unsigned char)field[i + 2]) && isdigit((unsigned char)field[i + 3])) {
      out += (char)((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool SysfsSaysRemovable(const std::string& device) {
  // A partition's own directory has no "removable"; its disk's has.
  for (const char* suffix : {"/removable", "/../removable"}) {
    std::ifstream in("/sys/dev/block/" + device + suffix);
    int flag = 0;
    if (in >> flag) return flag == 1;
  }
  return false;
}

bool StatSaysDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct MountRecord {
  std::string mountPoint;
  std::string device;  // major:minor
  std::string type;
};

bool ParseMountLine(const std::string& line, MountRecord& record) {
  std::istringstream in(line);
  std::vector<std::string> fields{std::istream_iterator<std::string>(in),
                                  std::istream_iterator<std::string>()};
  auto dash = std::find(fields.begin(), fields.end(), "-");
  if (fields.size() < 5 || dash == fields.end() || dash + 1 == fields.end() ||
      dash - fields.begin() < 6)
    return false;
  record.device = fields[2];
  record.mountPoint = UnescapeMountField(fields[4]);
  record.type = *(dash + 1);
  return true;
}

std::vector<DriveEntry> LoadDriveMap() {
  const char* list = getenv("KELTRO_DRIVES");
  if (list && *list) return ParseDriveList(list);
  std::ifstream in("/proc/self/mountinfo");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DrivesFromMountInfo(text);
}

}  // namespace

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<DriveEntry> ParseDriveList(const char* text) {
  std::vector<DriveEntry> drives;
  std::istringstream in(text ? text : "");
  std::string item;
  while (std::getline(in, item, ';')) {
    DriveEntry entry;
    if (ParseDriveEntry(item, entry)) PutDrive(drives, entry);
  }
  return drives;
}

std::vector<DriveEntry> DrivesFromMountInfo(const std::string& mountinfo,
                                            bool (*isRemovable)(const std::string& device),
                                            bool (*isDirectory)(const std::string& path)) {
  if (!isRemovable) isRemovable = SysfsSaysRemovable;
  if (!isDirectory) isDirectory = StatSaysDirectory;
  // One record per mount point: a later mount on the same point hides the earlier.
  std::vector<MountRecord> mounts;
  std::istringstream in(mountinfo);
  std::string line;
  while (std::getline(in, line)) {
    MountRecord record;
    if (!ParseMountLine(line, record) || record.mountPoint == "/" ||
        IsPseudoFileSystem(record.type) || IsInSystemTree(record.mountPoint))
      continue;
    auto same = std::find_if(mounts.begin(), mounts.end(),
                             [&](const MountRecord& m) { return m.mountPoint == record.mountPoint; });
    if (same != mounts.end()) {
      *same = record;
    } else {
      mounts.push_back(record);
    }
  }
  std::sort(mounts.begin(), mounts.end(),
            [](const MountRecord& a, const MountRecord& b) { return a.mountPoint < b.mountPoint; });
  std::vector<DriveEntry> drives{{'C', "/", DRIVE_FIXED}};
  char letter = 'D';
  for (const MountRecord& m : mounts) {
    if (letter > 'Z') break;
    if (!isDirectory(m.mountPoint)) continue;  // a bind-mounted file is no drive
    UINT type = TypeOfFileSystem(m.type);
    if (type == DRIVE_FIXED && isRemovable(m.device)) type = DRIVE_REMOVABLE;
    drives.push_back({letter++, m.mountPoint, type});
  }
  return drives;
}

const std::vector<DriveEntry>& DriveMap() {
  if (!Layer.driveMapLoaded) {
    Layer.drives = LoadDriveMap();
    Layer.driveMapLoaded = true;
  }
  return Layer.drives;
}

const DriveEntry* FindDrive(char letter) {
  letter = UpperAscii(letter);
  for (const DriveEntry& d : DriveMap()) {
    if (d.letter == letter) return &d;
  }
  return nullptr;
}

const DriveEntry* DriveOfPosixPath(const std::string& posixPath) {
  const DriveEntry* best = nullptr;
  for (const DriveEntry& d : DriveMap()) {
    bool covers = d.root == "/" ||
                  (posixPath.compare(0, d.root.size(), d.root) == 0 &&
                   (posixPath.size() == d.root.size() || posixPath[d.root.size()] == '/'));
    if (covers && (!best || d.root.size() > best->root.size())) best = &d;
  }
  return best;
}

DWORD GetLogicalDrives(void) {
  DWORD mask = 0;
  for (const DriveEntry& d : DriveMap()) mask |= 1u << (d.letter - 'A');
  SetLastError(ERROR_SUCCESS);
  return mask;
}

UINT GetDriveTypeA(LPCSTR lpRootPathName) {
  char letter;
  if (!lpRootPathName) {
    letter = CurrentDriveLetter();
  } else {
    size_t length = strlen(lpRootPathName);
    bool rootForm = length >= 2 && lpRootPathName[1] == ':' &&
                    (length == 2 || (length == 3 && (lpRootPathName[2] == '\\' || lpRootPathName[2] == '/')));
    if (!rootForm) return DRIVE_NO_ROOT_DIR;
    letter = lpRootPathName[0];
  }
  const DriveEntry* drive = IsDriveLetter(letter) ? FindDrive(letter) : nullptr;
  return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}
