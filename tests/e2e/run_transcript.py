#!/usr/bin/env python3
"""Runs a keltro transcript: a console session written down, checked exactly.

Lines indented by two spaces belong to the session; all others are comments.

    $ command            a shell command (bash; the session keeps its state)
    > more               continues the command on a new line
    text                 a line the command prints
    2> text              an error line, at the place it falls among the others
    text (no-eol)        the last line, printed without a line break
    text (esc)           a line written with Python escapes (\\t, \\x84)
    [N]                  the exit status, when it is not 0

Each runs in a fresh temporary directory ($T, also the working directory)
with TZ=UTC and LC_ALL=C.UTF-8, `keltro` first on PATH and KELTRO_DRIVES
mapping C: onto $T. Standard output and error share one pipe, so lines are
checked in the order written. Error lines are told by their form (`<MODULE>-ERROR`,
"invalid ...", "... Resource not found"). --update rewrites the file with what was
printed; --wine runs a keltro.exe under Wine (see wine.py).

A comment line "Needs: root keltro-alice ..." names what the whole transcript
needs: root, and accounts or groups by name (scripts/test-accounts.sh makes the
test accounts), and smb: root and Samba's smbd, for transcripts that start test
SMB servers with tests/support/smb-servers (an --extra program) under $T/smb;
those servers are stopped after the transcript, pass or fail (under --wine such
transcripts are skipped). When something is
missing the transcript is not run: it says why and exits with status 77, which
CTest reports as skipped.
"""
import argparse, difflib, grp, os, pwd, re, shutil, subprocess, sys, tempfile, unicodedata

import wine

MARK = "@@KELTRO-TRANSCRIPT-MARK@@"
ERROR_LINE = re.compile(rb"^([A-Z]+-ERROR\b|invalid |.* Resource not found$)")


def parse(path):
    """Returns the commands with their expected lines, and the comments after the last."""
    items, comments, current = [], [], None
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for raw in f.read().split("\n"):
            line = raw[2:] if raw.startswith("  ") else None
            if line is None or (current is None and not line.startswith("$ ")):
                comments.append(raw)
            elif line.startswith("$ "):
                current = {"comments": comments, "cmd": [line[2:]], "lines": [], "code": 0}
                comments = []
                items.append(current)
            elif line.startswith("> ") and not current["lines"]:
                current["cmd"].append(line[2:])
            elif re.fullmatch(r"\[-?\d+\]", line):
                current["code"] = int(line[1:-1])
            else:
                current["lines"].append(line)
    return items, comments


SKIPPED = 77
NEEDS = "Needs:"


def known_account(name):
    for lookup in (pwd.getpwnam, grp.getgrnam):
        try:
            lookup(name)
            return True
        except KeyError:
            pass
    return False


def needs(comments):
    """What the transcript's "Needs:" lines name."""
    return [need for line in comments if line.startswith(NEEDS) for need in line[len(NEEDS):].split()]


def missing_needs(comments):
    """What the transcript's "Needs:" lines name and this machine lacks."""
    missing = []
    for need in needs(comments):
        if need in ("root", "smb") and os.geteuid() != 0:
            missing.append("root")
        elif need == "smb":
            if not shutil.which("smbd", path=os.environ.get("PATH", "") + ":/usr/sbin"):
                missing.append("smbd")
        elif need != "root" and not known_account(need):
            missing.append("account " + need)
    return missing


def stop_smb_servers(extras, workdir):
    """Stops the test SMB servers a transcript left running under $T/smb."""
    servers = [e for e in extras if os.path.basename(e) == "smb-servers"]
    if servers and os.path.isdir(os.path.join(workdir, "smb")):
        subprocess.run([servers[0], "stop", os.path.join(workdir, "smb")], capture_output=True)


def render(data):
    """The output as transcript lines, error lines marked."""
    lines, out = data.split(b"\n"), []
    if lines[-1] == b"":
        lines.pop()
    for i, b in enumerate(lines):
        try:
            line = b.decode("utf-8")
            printable = not any(unicodedata.category(c)[0] == "C" for c in line) and not line.endswith(" ")
        except UnicodeDecodeError:
            printable = False
        if not printable:
            line = b.decode("latin-1").encode("unicode_escape").decode("ascii") + " (esc)"
        if i == len(lines) - 1 and not data.endswith(b"\n"):
            line += " (no-eol)"
        out.append("2> " + line if ERROR_LINE.match(b) else line)
    return out


def run(items, keltro, extras, workdir):
    script = ["set +e"]
    for item in items:  # each output is followed by \n MARK \n status \n; a missing status reads as -1
        script += ["\n".join(item["cmd"]), 'printf "\\n%s\\n%%d\\n" $?' % MARK]
    env = {k: v for k, v in os.environ.items() if not k.startswith("KELTRO")
           and k not in ("BELMIX_FORMAT", "QX_DATE_FORMAT", "QX_TIME_FORMAT", "SERVERLIST")}
    bindir = os.path.join(workdir, ".bin")
    os.makedirs(bindir)
    for program, name in [(keltro, "keltro")] + [(e, os.path.basename(e)) for e in extras]:
        os.symlink(os.path.abspath(program), os.path.join(bindir, name))
    env.update(T=workdir, TZ="UTC", LC_ALL="C.UTF-8", LANG="C.UTF-8", PATH=bindir + os.pathsep + env.get("PATH", ""),
               KELTRO_DRIVES="C=" + workdir, KELTRO_BIN=os.path.abspath(keltro))
    out = subprocess.run(["bash", "-c", "\n".join(script)], cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600).stdout
    parts = out.split(("\n" + MARK + "\n").encode()) + [b"-1\n"] * len(items)
    results, output = [], parts[0]
    for part in parts[1:len(items) + 1]:
        code, _, rest = part.partition(b"\n")
        results.append((output, int(code or b"-1")))
        output = rest
    return results


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--keltro", required=True)
    ap.add_argument("--extra", action="append", default=[], help="another program to put on PATH")
    ap.add_argument("--update", action="store_true")
    ap.add_argument("--wine", action="store_true", help="--keltro is a keltro.exe to run under Wine")
    ap.add_argument("transcript")
    args = ap.parse_args()
    items, trailer = parse(args.transcript)
    skipped, name = 0, os.path.basename(args.transcript)
    comments = [c for item in items for c in item["comments"]] + trailer
    if args.wine:
        if args.update:
            sys.exit("--update and --wine do not go together")
        reason = wine.transcript_not_under_wine(args.transcript)
        if "smb" in needs(comments):
            reason = "its SMB servers run on Linux loopback addresses that Wine's network calls do not reach"
        if reason:
            return print("%s: skipped under Wine (%s)" % (name, reason))
        items, skipped = wine.split_items(items)
    missing = missing_needs(comments)
    if missing:
        print("%s: skipped, missing %s (scripts/test-accounts.sh makes the accounts as root)" % (name, ", ".join(missing)))
        sys.exit(SKIPPED)
    workdir = tempfile.mkdtemp(prefix="keltro-e2e-")
    try:
        results = (wine.fold_line_ends(run(items, wine.prepare(workdir, args.keltro), [], workdir), ERROR_LINE)
                   if args.wine else run(items, args.keltro, args.extra, workdir))
    finally:
        if args.wine:
            wine.finish()
        stop_smb_servers(args.extra, workdir)
        subprocess.run(["chmod", "-R", "u+rwX", workdir], capture_output=True)
        shutil.rmtree(workdir, ignore_errors=True)
    failures, new_lines = 0, []
    for item, (output, code) in zip(items, results):
        # Compared as rendered lines: the same bytes, the same error marks.
        got = render(output) + (["[%d]" % code] if code else [])
        expected = item["lines"] + (["[%d]" % item["code"]] if item["code"] else [])
        new_lines += item["comments"] + ["  $ " + item["cmd"][0]] + ["  > " + c for c in item["cmd"][1:]]
        new_lines += ["  " + l for l in got]
        if list(map(canonical, got)) != list(map(canonical, expected)):
            failures += 1
            print("FAILED: $ " + " / ".join(item["cmd"]))
            for d in difflib.unified_diff(expected, got, "expected", "actual", lineterm="", n=2):
                print("    " + d)
    if args.update:
        with open(args.transcript, "w", encoding="utf-8", errors="surrogateescape") as f:
            f.write("\n".join(new_lines + trailer))
    print("%s: %d passed, %d failed%s" % (name, len(items) - failures, failures,
                                          ", %d skipped" % skipped if args.wine else ""))
    sys.exit(1 if failures and not args.update else 0)


def canonical(line):
    """A line as (is it an error line, its bytes, its line break), so (esc) and plain text compare alike."""
    error = line.startswith("2> ")
    text = line[3:] if error else line
    eol = not text.endswith(" (no-eol)")
    text = text if eol else text[:-9]
    if text.endswith(" (esc)"):
        data = text[:-6].encode("latin-1", "backslashreplace").decode("unicode_escape").encode("latin-1")
    else:
        data = text.encode("utf-8", "surrogateescape")
    return error, data, eol


if __name__ == "__main__":
    main()
