#!/usr/bin/env bash
# Mutation check: how many small faults in the core and the layer the test
# suite catches.
#
#   scripts/mutants.sh [--check] [--only ID,ID...]
#
# Each mutation below names a file, an exact snippet of it and what replaces
# the snippet. The working tree is copied (tracked and untracked files, not
# ignored ones) into $MUTANTS_DIR (default /tmp/keltro-mutants), built there
# once, and then for each mutation the snippet is replaced, the copy rebuilt
# incrementally and the whole suite run (ctest -j2, bounded in time); the
# file is restored afterwards. The working tree is never touched.
#
# One line per mutation:
#   caught    the build failed a test (or a test timed out)
#   SURVIVED  every test passed with the fault in place
#   stale     the snippet is no longer in the file exactly once: the code
#             moved or changed, and the mutation needs updating
#   no-build  the mutated code did not compile (a fault in the list)
# then the count caught. A file that moved is looked for by its name under
# src/. --check only reports which mutations are stale, without building.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 -c "$(sed -n '/^#--- python ---$/,$p' "$0")" "$root" "${MUTANTS_DIR:-/tmp/keltro-mutants}" "$@"

#--- python ---
import os, subprocess, sys

# (id, file, original, replacement): the original must occur exactly once.
MUTATIONS = [
    # params: range lists, the command-line splitter, the parser, time values
    ("P1", "src/params/range_list.cpp", "if (lo <= n && n <= hi) return true;", "if (lo < n && n <= hi) return true;"),
    ("P2", "src/params/range_list.cpp", "if (ReadLong(number) == n) return true;", "if (ReadLong(number) != n) return true;"),
    ("P3", "src/params/range_list.cpp", "return rangeOpen && lo <= n && n <= OpenRangeEnd;", "return rangeOpen && lo < n && n <= OpenRangeEnd;"),
    ("P4", "src/params/split_command_line.cpp", "if (prefix && p == prefix + 2) {", "if (prefix && p == prefix + 1) {"),
    ("P6", "src/params/parse_command_line.cpp", "return *value != 0 || text[0] == '0';", "return *value != 0;"),
    ("P8", "src/params/time_values.cpp", "if (separator == '/') order[0]", "if (separator == '.') order[0]"),
    ("P9", "src/params/time_values.cpp", "int direction = text[0] == 'd' ? -1 : text[0] == 'D' ? 1 : 0;", "int direction = text[0] == 'd' ? 1 : text[0] == 'D' ? -1 : 0;"),
    # sources: the pattern matcher, wildcard directories
    ("S1", "src/sources/pattern_match.cpp", "return next == tc || next == '?';", "return next == tc;"),
    ("S2", "src/sources/pattern_match.cpp", "if (MatchPattern(text, exclude ? entry + 1 : entry, false)) return !exclude;", "if (MatchPattern(text, exclude ? entry + 1 : entry, false)) return true;"),
    ("S4", "src/sources/pattern_match.cpp", "size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;", "size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 1;"),
    ("S6", "src/sources/wildcard_path.cpp", "if (!MatchPattern(entry.cFileName, cut.component, false)) continue;", ""),
    # walk: criteria, the walker's counters and tallies, path composition
    ("W1", "src/walk/criteria.cpp", "if (*upper < time) return false;", "if (*upper <= time) return false;"),
    ("W2", "src/walk/criteria.cpp", "return !(lower && *lower > time);", "return !(lower && *lower >= time);"),
    ("W3", "src/walk/criteria.cpp", "*(const int32_t*)value.value == *(const int32_t*)row.target", "*(const int32_t*)value.value != *(const int32_t*)row.target"),
    ("W5", "src/walk/walk_directory.cpp", "    Stats.Subdirectories++;\n", ""),
    ("W6", "src/walk/walk_directory.cpp", "  tally->files++;\n", ""),
    ("W7", "src/walk/walk_directory.cpp", "  Stats.Bytes += size;\n", ""),
    ("W8", "src/walk/walk_directory.cpp", "  Stats.ErrorsDetected++;\n  return LISTING_FAILED;", "  return LISTING_FAILED;"),
    ("W9", "src/walk/walk_directory.cpp", "if (isDirectory && Recurse && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))", "if (isDirectory && Recurse)"),
    ("W10", "src/walk/walk_directory.cpp", "if (OwnerFormat[0] || TotalsFormat[0]) TallyOwner(size);", "if (OwnerFormat[0]) TallyOwner(size);"),
    ("W11", "src/walk/walk_directory.cpp", "int32_t cumulatedFiles = Stats.Files - tally.filesBefore;", "int32_t cumulatedFiles = Stats.Files;"),
    ("W12", "src/walk/walk_directory.cpp", "OwnerTotals.Bytes[row] += size;", "OwnerTotals.Bytes[row] = size;"),
    # output: the format engine's widths and cuts, numbers, times, the prompt
    ("O1", "src/output/format_output.cpp", "column + columns <= width - 2;", "column + columns <= width - 3;"),
    ("O2", "src/output/format_output.cpp", "char pad = placeholder.zeroPad ? '0' : ' ';", "char pad = ' ';"),
    ("O3", "src/output/format_output.cpp", "bool dots = placeholder.dotCut && !placeholder.plainCut && width > 0;", "bool dots = placeholder.dotCut && width > 0;"),
    ("O5", "src/output/format_output.cpp", "else if (placeholder.letter == '~')", "else if (placeholder.letter == '!')"),
    ("O7", "src/output/number_text.cpp", "format.Grouping = 3;", "format.Grouping = 4;"),
    ("O9", "src/output/confirm.cpp", "if (answer == ANSWER_ALL) *actionFlag = 1;", ""),
    # driver: statistics, exit codes, checks
    ("D1", "src/driver/print_statistics.cpp", "\"KELTRO-STATISTICS=% 12ld %s\\n\"", "\"KELTRO-STATISTICS=% 11ld %s\\n\""),
    ("D2", "src/driver/print_statistics.cpp", "if (CurrentCommand != CMD_SHO || Verbose) {", "if (Verbose) {"),
    ("D3", "src/driver/print_statistics.cpp", "{COUNT, &s.Subdirectories, \"subdirectories\"}};", "{COUNT, &s.Files, \"subdirectories\"}};"),
    ("D4", "src/driver/entry.cpp", "constexpr int ExitBadCommandLine = 87;", "constexpr int ExitBadCommandLine = 86;"),
    ("D6", "src/driver/check_command_line.cpp", "if (TargetPath[0]) return Refuse(\"KELTRO-ERROR, no second path allowed with SHO\\n\");", ""),
    # the platform layer: errors, attributes, listings, links, times, NLS
    ("L1", "src/platform/posix/errno_map.cpp", "case ENOENT: return ERROR_FILE_NOT_FOUND;", "case ENOENT: return ERROR_PATH_NOT_FOUND;"),
    ("L2", "src/platform/posix/errno_map.cpp", "    case EACCES:\n", ""),
    ("L4", "src/platform/posix/current_dir.cpp", "onDisk.c_str(), O_NOFOLLOW, true);\n  int err", "onDisk.c_str(), 0, true);\n  int err"),
    ("L5", "src/platform/posix/find_files.cpp", "return order != 0 ? order < 0 :", "return order != 0 ? order > 0 :"),
    ("L6", "src/platform/posix/name_match.cpp", "for (char c : text) out->push_back(UpperAscii(c));", "for (char c : text) out->push_back(c);"),
    ("L9", "src/platform/posix/file_info.cpp", "    if (S_ISREG(stx.stx_mode)) word |= FILE_ATTRIBUTE_ARCHIVE;\n", ""),
    ("L10", "src/platform/posix/file_info.cpp", "    if (IsHiddenName(name)) word |= FILE_ATTRIBUTE_HIDDEN;\n", ""),
    ("L11", "src/platform/posix/file_info.cpp", "info.size = S_ISREG(stx.stx_mode) ? stx.stx_size : 0;", "info.size = stx.stx_size;"),
    ("L14", "src/platform/posix/file_attributes.cpp", "return (mode & kWriteBits) ? mode : mode | S_IWUSR;", "return mode;"),
    ("L16", "src/platform/posix/nls_number.cpp", "if (i > 0 && group && (count - i) % group == 0) {", "if (i > 1 && group && (count - i) % group == 0) {"),
    ("L17", "src/platform/posix/nls_picture.cpp", "case 'm': return Number(time.wMinute, count);", "case 'm': return Number(time.wSecond, count);"),
    ("L18", "src/platform/posix/nls_picture.cpp", "if (count <= 2) return Number(time.wYear % 100, count);", "if (count <= 1) return Number(time.wYear % 100, count);"),
    # actions and the copying rules: the take-over, the answers, the prompts, the levels made, the times compared
    ("A1", "src/actions/action_pattern.h", "  RemoveProtection(object);\n  return operation();", "  RemoveProtection(object);\n  return false;"),
    ("A2", "src/actions/action_pattern.cpp", "if (kind != AK_PROTECTION) Stats.ActionsSkipped++;", "Stats.ActionsSkipped++;"),
    ("A3", "src/actions/action_pattern.cpp", "prompt[PromptCapacity - 2] = '\\n';", "prompt[PromptCapacity - 1] = '\\0';"),
    ("A4", "src/actions/directories.cpp", "if (!DirExists(parent) && !MakeDir(parent)) return false;", ""),
    ("A5", "src/actions/copy_replace.cpp", "  Stats.BytesDeleted += sourceSize;\n", ""),
    ("A6", "src/actions/attributes_times.cpp", "if (text[i] == positions[i].letter)", "if ((text[i] & ~0x20) == positions[i].letter)"),
    ("A7", "src/output/confirm.cpp", "if (answer == ANSWER_ALL) YesToAll = 1;", ""),
    ("A8", "src/walk/copy_entry.cpp", "if (NewerOnly && order < 0) return ACTION_KEEP;", ""),
    ("A9", "src/walk/copy_entry.cpp", "time.dwLowDateTime &= 0xFFFF0000u;", ""),
    ("A10", "src/walk/walk_directory.cpp", "if (names && !AddSourceName(names, entry.cFileName)) {", "if (names && !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !AddSourceName(names, entry.cFileName)) {"),
    # security actions: the kept permission list, the compared descriptors, directories under /P
    ("A11", "src/actions/security_actions.cpp", "bool reuse = Permissions.kept && strcmp(Permissions.text, permissionText) == 0;", "bool reuse = Permissions.kept;"),
    ("A12", "src/actions/copy_security.cpp", "if (memcmp(sourceSecurity.bytes, targetSecurity.bytes, SecurityBufferSize) == 0) return true;", ""),
    ("A13", "src/walk/prepare_target.cpp", "if (CopyPermissions && existing) SyncSecurity(name, TargetPath);", "if (CopyPermissions && existing) CopySecurity(name, TargetPath, nullptr);"),
]

root, work = sys.argv[1], sys.argv[2]
args = sys.argv[3:]
check_only = "--check" in args
only = None
if "--only" in args:
    only = set(args[args.index("--only") + 1].split(","))
tree = os.path.join(work, "tree")
build = os.path.join(tree, "build")


def run(cmd, timeout, **kw):
    try:
        return subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=timeout, **kw).returncode
    except subprocess.TimeoutExpired:
        return None


def sync_tree():
    """Copies the working tree's files into the scratch tree, only those that differ."""
    listed = subprocess.run(["git", "-C", root, "ls-files", "-co", "--exclude-standard", "-z"],
                            check=True, stdout=subprocess.PIPE).stdout.decode().split("\0")
    wanted = {f for f in listed if f and os.path.isfile(os.path.join(root, f))}
    for f in wanted:
        src, dst = os.path.join(root, f), os.path.join(tree, f)
        with open(src, "rb") as s:
            data = s.read()
        if os.path.exists(dst):
            with open(dst, "rb") as d:
                if d.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, "wb") as d:
            d.write(data)
        os.chmod(dst, os.stat(src).st_mode & 0o777)
    for top in ("src", "tests", "cmake", "scripts", "bench"):
        for dirpath, _, files in os.walk(os.path.join(tree, top)):
            for name in files:
                rel = os.path.relpath(os.path.join(dirpath, name), tree)
                if rel not in wanted:
                    os.remove(os.path.join(tree, rel))


def locate(rel, original):
    """The file holding original exactly once: rel, or a file of that name under src/."""
    path = os.path.join(tree, rel)
    candidates = [path] if os.path.isfile(path) else []
    if not candidates:
        base = os.path.basename(rel)
        for dirpath, _, files in os.walk(os.path.join(tree, "src")):
            candidates += [os.path.join(dirpath, f) for f in files if f == base]
    found = []
    for c in candidates:
        with open(c, encoding="utf-8", errors="surrogateescape") as f:
            text = f.read()
        if text.count(original) == 1:
            found.append((c, text))
    return found[0] if len(found) == 1 else (None, None)


def build_ok():
    return run(["cmake", "--build", build, "-j2"], 1800) == 0


def suite_passes():
    code = run(["ctest", "-j2", "--timeout", "120", "--stop-on-failure"], 1500, cwd=build)
    return code == 0


os.makedirs(tree, exist_ok=True)
sync_tree()
selected = [m for m in MUTATIONS if only is None or m[0] in only]
if not check_only:
    if not os.path.exists(os.path.join(build, "build.ninja")):
        if run(["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], 600) != 0:
            sys.exit("mutants: cannot configure the scratch tree")
    if not build_ok() or not suite_passes():
        sys.exit("mutants: the unmutated suite does not pass; nothing to measure")

caught = stale = 0
for ident, rel, original, replacement in selected:
    path, text = locate(rel, original)
    if path is None:
        stale += 1
        print("stale     %-4s %s" % (ident, rel), flush=True)
        continue
    if check_only:
        print("ok        %-4s %s" % (ident, rel), flush=True)
        continue
    with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
        f.write(text.replace(original, replacement))
    try:
        if not build_ok():
            verdict = "no-build"
        elif suite_passes():
            verdict = "SURVIVED"
        else:
            verdict = "caught"
            caught += 1
    finally:
        with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
            f.write(text)
    print("%-9s %-4s %s: %s -> %s" % (verdict, ident, os.path.relpath(path, tree),
                                       original.strip().replace("\n", " "),
                                       replacement.strip().replace("\n", " ") or "(removed)"), flush=True)
if check_only:
    print("mutants: %d of %d current, %d stale" % (len(selected) - stale, len(selected), stale))
else:
    print("mutants: %d caught of %d (%d stale)" % (caught, len(selected), stale))
