#!/usr/bin/env python3
"""Runs a keltro transcript: a console session written down, checked exactly.

A transcript is a text file. Lines indented by two spaces belong to the
session; every other line is a comment.

    $ command            a shell command (bash; the session keeps its state)
    > more               continues the command on a new line
    text                 a line the command prints
    2> text              an error line, at the place it falls among the others
    text (no-eol)        the last line, printed without a line break
    text (esc)           a line written with Python escapes (\\t, \\x84)
    [N]                  the exit status, when it is not 0

Each transcript runs in a fresh temporary directory ($T, also the working
directory) with TZ=UTC and LC_ALL=C.UTF-8 pinned, `keltro` first on PATH and
KELTRO_DRIVES mapping C: onto $T.

Standard output and standard error go to one pipe, so lines are checked in
the order the program wrote them. An error line is told by its form, as
keltro writes exactly these to standard error: a module's error prefix
(`KELTRO-ERROR`, `PARAM-ERROR`, any `<MODULE>-ERROR`), the time parser's
"invalid ...", a missing string resource's "... Resource not found". (A
listing line of that form would read as an error line: name files otherwise.)
With --update the file is rewritten with what the commands printed. With
--wine the program is a keltro.exe run under Wine (see wine.py for how, and
for marking what is not run there).
"""
import argparse
import difflib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata

import wine

MARK = "@@KELTRO-TRANSCRIPT-MARK@@"
INDENT = "  "
ERROR_MARK = "2> "
ERROR_LINE = re.compile(rb"^([A-Z]+-ERROR\b|invalid |.* Resource not found$)")


def parse(path):
    """Returns (commands with their expected lines, the comments after the last)."""
    items = []  # each: {"comments": [...], "cmd": [...], "lines": [...], "code": 0}
    pending_comments = []
    current = None
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for raw in f.read().split("\n"):
            line = raw[len(INDENT):] if raw.startswith(INDENT) else None
            if line is None or (current is None and not line.startswith("$ ")):
                pending_comments.append(raw)
            elif line.startswith("$ "):
                current = {"comments": pending_comments, "cmd": [line[2:]], "lines": [], "code": 0}
                pending_comments = []
                items.append(current)
            elif line.startswith("> ") and not current["lines"]:
                current["cmd"].append(line[2:])
            elif line.startswith("[") and line.endswith("]") and line[1:-1].lstrip("-").isdigit():
                current["code"] = int(line[1:-1])
            else:
                current["lines"].append(line)
    return items, pending_comments


def decode(line):
    if line.endswith(" (esc)"):
        return line[:-6].encode("latin-1", "backslashreplace").decode("unicode_escape").encode("latin-1")
    return line.encode("utf-8", "surrogateescape")


def expected_output(lines):
    """The bytes the written lines stand for, and which of them are error lines."""
    data, errors = b"", []
    for i, line in enumerate(lines):
        is_error = line.startswith(ERROR_MARK)
        text = line[len(ERROR_MARK):] if is_error else line
        if text.endswith(" (no-eol)") and i == len(lines) - 1:
            data += decode(text[:-9])
        else:
            data += decode(text) + b"\n"
        errors.append(is_error)
    return data, errors


def split_lines(data):
    lines = data.split(b"\n")
    return lines[:-1] if lines[-1] == b"" else lines


def render(data):
    """Bytes as transcript lines, error lines marked; and which lines those are."""
    lines = split_lines(data) if data else []
    no_eol = not data.endswith(b"\n")
    out, errors = [], []
    for i, b in enumerate(lines):
        try:
            text = b.decode("utf-8")
            printable = not any(unicodedata.category(c)[0] == "C" for c in text) and not text.endswith(" ")
        except UnicodeDecodeError:
            printable = False
        if printable:
            line = text
        else:
            line = b.decode("latin-1").encode("unicode_escape").decode("ascii") + " (esc)"
        if no_eol and i == len(lines) - 1:
            line += " (no-eol)"
        errors.append(bool(ERROR_LINE.match(b)))
        out.append(ERROR_MARK + line if errors[-1] else line)
    return out, errors


def run(items, keltro, extras, workdir):
    script = ["set +e"]
    for item in items:
        script.append("\n".join(item["cmd"]))
        script.append('__rc=$?; printf "\\n%s\\n%%d\\n" $__rc' % MARK)
    env = dict(os.environ)
    for key in list(env):
        if key.startswith("KELTRO") or key in ("BELMIX_FORMAT", "QX_DATE_FORMAT", "QX_TIME_FORMAT", "SERVERLIST"):
            del env[key]
    bindir = os.path.join(workdir, ".bin")
    os.makedirs(bindir)
    os.symlink(os.path.abspath(keltro), os.path.join(bindir, "keltro"))
    for extra in extras:
        os.symlink(os.path.abspath(extra), os.path.join(bindir, os.path.basename(extra)))
    env.update({
        "T": workdir, "TZ": "UTC", "LC_ALL": "C.UTF-8", "LANG": "C.UTF-8",
        "PATH": bindir + os.pathsep + env.get("PATH", ""),
        "KELTRO_DRIVES": "C=" + workdir, "KELTRO_BIN": os.path.abspath(keltro),
    })
    proc = subprocess.run(["bash", "-c", "\n".join(script)], cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600)
    # chunk0 MARK code0 \n chunk1 MARK code1 \n ...
    parts = proc.stdout.split(("\n" + MARK + "\n").encode())
    results = []
    chunk = parts[0]
    for i in range(len(items)):
        code_line, _, rest = (parts[i + 1] if i + 1 < len(parts) else b"-1\n").partition(b"\n")
        results.append((chunk, int(code_line or b"-1")))
        chunk = rest
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
    skipped = 0
    if args.wine:
        if args.update:
            sys.exit("--update and --wine do not go together")
        reason = wine.transcript_not_under_wine(args.transcript)
        if reason:
            print("%s: skipped under Wine (%s)" % (os.path.basename(args.transcript), reason))
            return
        items, skipped = wine.split_items(items)
    workdir = tempfile.mkdtemp(prefix="keltro-e2e-")
    try:
        if args.wine:
            results = wine.fold_line_ends(run(items, wine.prepare(workdir, args.keltro), [], workdir), ERROR_LINE)
        else:
            results = run(items, args.keltro, args.extra, workdir)
    finally:
        if args.wine:
            wine.finish()
        subprocess.run(["chmod", "-R", "u+rwX", workdir], capture_output=True)
        shutil.rmtree(workdir, ignore_errors=True)
    failures = 0
    new_lines = []
    for item, (output, code) in zip(items, results):
        got, got_errors = render(output)
        data, errors = expected_output(item["lines"])
        ok = output == data and got_errors == errors and code == item["code"]
        new_lines += item["comments"]
        new_lines += [INDENT + "$ " + item["cmd"][0]] + [INDENT + "> " + c for c in item["cmd"][1:]]
        new_lines += [INDENT + l for l in got]
        if code != 0:
            new_lines.append(INDENT + "[%d]" % code)
        if not ok:
            failures += 1
            print("FAILED: $ " + " / ".join(item["cmd"]))
            exp = item["lines"] + (["[%d]" % item["code"]] if item["code"] else [])
            got += ["[%d]" % code] if code else []
            for d in difflib.unified_diff(exp, got, "expected", "actual", lineterm="", n=2):
                print("    " + d)
    new_lines += trailer
    if args.update:
        with open(args.transcript, "w", encoding="utf-8", errors="surrogateescape") as f:
            f.write("\n".join(new_lines))
    print("%s: %d passed, %d failed%s" % (os.path.basename(args.transcript), len(items) - failures, failures,
                                          ", %d skipped" % skipped if args.wine else ""))
    sys.exit(1 if failures and not args.update else 0)


if __name__ == "__main__":
    main()
