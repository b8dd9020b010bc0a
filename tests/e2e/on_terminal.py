#!/usr/bin/env python3
"""on_terminal.py COMMAND: runs a bash command with a terminal 100 columns wide
as its standard input, output and error, and prints what the terminal got,
the progress line taken out of it, then what the line did:

    progress: none                      no line was drawn
    progress: 99 columns: TEXT          the first line drawn, without its padding
    progress: erased before other text and at the end
or a line for each place where a drawn line was left standing. A line is drawn
as "\\r" TEXT and erased as "\\r" blanks "\\r". The exit status is the command's.
"""
import fcntl, os, pty, re, struct, subprocess, sys, termios, unicodedata

PIECES = re.compile(rb"(\r +\r|\r[^\r\n]*)")


def run_on_terminal(command):
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 100, 0, 0))
    attributes = termios.tcgetattr(slave)
    attributes[1] &= ~termios.OPOST  # line breaks arrive as written, without a \r
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    process = subprocess.Popen(["bash", "-c", command], stdin=slave, stdout=slave, stderr=slave,
                               start_new_session=True)
    os.close(slave)
    data = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:  # every writer is gone
            break
        if not chunk:
            break
        data += chunk
    os.close(master)
    return data, process.wait()


def columns(text):
    """The columns a terminal gives text: two for a wide character, none for a mark."""
    return sum(0 if unicodedata.combining(c) else 2 if unicodedata.east_asian_width(c) in "WF" else 1
               for c in text)


def split_progress(data):
    """(the text without the progress line, the summary lines)."""
    text, first, faults, shown = b"", None, [], False
    for piece in PIECES.split(data):
        if PIECES.fullmatch(piece) and piece.endswith(b"\r") and len(piece) > 1:
            shown = False
        elif PIECES.fullmatch(piece):
            drawn = piece[1:].rstrip(b" ")
            if first is None:
                first = drawn
            shown = True
        elif piece:
            if shown:
                faults.append("progress: left standing before %r" % piece.split(b"\n")[0].decode())
            text += piece
    if shown:
        faults.append("progress: left standing at the end")
    if first is None:
        return text, ["progress: none"]
    drawn = "progress: %d columns: %s" % (columns(first.decode()), first.decode())
    return text, [drawn] + (faults or ["progress: erased before other text and at the end"])


def main():
    data, status = run_on_terminal(sys.argv[1])
    text, summary = split_progress(data)
    sys.stdout.buffer.write(text)
    sys.stdout.write("\n".join(summary) + "\n")
    sys.exit(status)


if __name__ == "__main__":
    main()
