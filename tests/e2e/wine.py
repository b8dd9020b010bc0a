"""Runs transcripts against keltro.exe under Wine (run_transcript.py --wine).

$T becomes drive C: of the Wine prefix $WINEPREFIX (else a new one per transcript),
holding a link $T/windows to Wine's own Windows directory (Wine adds $T/users).

What is not run there is marked in the transcript, with the reason:
    a comment line "Not under Wine: ..."    the whole transcript
    a command ending "# not under Wine: ..." that command (a bash comment)
Such commands are skipped and counted (docs/platform.md lists the differences).
Error lines end in CR LF on Windows and are read back with LF; others compare as written.
"""
import os, re, shutil, subprocess, tempfile

COMMAND_MARK = re.compile(r"#\s*not under Wine\b")
FILE_MARK = "Not under Wine:"
_own_prefix = None  # a prefix made for this transcript alone, removed at the end


def transcript_not_under_wine(path):
    """The reason a whole transcript cannot run under Wine, or None."""
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            if line.startswith(FILE_MARK):
                return line.strip()
    return None


def split_items(items):
    """(commands to run under Wine, number of commands skipped)."""
    kept = [item for item in items if not any(COMMAND_MARK.search(c) for c in item["cmd"])]
    return kept, len(items) - len(kept)


def _quiet(command):
    """Runs a Wine tool; a daemon it starts must not hold our pipes open."""
    subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)


def _ensure_prefix():
    global _own_prefix
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        prefix = _own_prefix = tempfile.mkdtemp(prefix="keltro-wine-")
        os.environ["WINEPREFIX"] = prefix
    os.environ.setdefault("WINEDEBUG", "-all")
    os.environ.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    if not os.path.isdir(os.path.join(prefix, "drive_c", "windows")):
        _quiet(["wineboot", "-i"])
        _quiet(["wineserver", "-w"])
    return prefix


def prepare(workdir, exe):
    """Maps C: onto workdir; returns the program to run as `keltro`."""
    prefix = _ensure_prefix()
    _quiet(["wineserver", "-k"])  # the drives are read at start
    drive_c = os.path.join(prefix, "dosdevices", "c:")
    if os.path.lexists(drive_c):
        os.remove(drive_c)
    os.symlink(workdir, drive_c)
    os.symlink(os.path.join(prefix, "drive_c", "windows"), os.path.join(workdir, "windows"))
    wrapper = os.path.join(prefix, "keltro")
    with open(wrapper, "w") as f:
        f.write('#!/bin/sh\nexec wine "%s" "$@"\n' % os.path.abspath(exe))
    os.chmod(wrapper, 0o755)
    # A server kept up between commands, and Wine's own services started now:
    # started by the first command, they would hold the transcript's pipes open.
    _quiet(["wineserver", "-p"])
    _quiet([wrapper, "ver"])
    return wrapper


def finish():
    _quiet(["wineserver", "-k"])
    if _own_prefix:
        shutil.rmtree(_own_prefix, ignore_errors=True)


def fold_line_ends(results, error_line):
    """(output, status) pairs with the CR LF that ends each error line read back as LF."""
    def fold(output):
        lines = output.split(b"\n")
        return b"\n".join(l[:-1] if l.endswith(b"\r") and error_line.match(l) else l for l in lines)
    return [(fold(output), code) for output, code in results]
