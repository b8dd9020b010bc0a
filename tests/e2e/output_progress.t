Not under Wine: the progress line is read through a Linux pseudo terminal.

A terminal as standard error: the changing commands keep a progress line there (drawn at the first file, a long path cut at its start so that the line never wraps), erased before every other line and when the run ends.
  $ d=src/a-long-directory-name-of-forty-characters-x/another-long-directory-name-of-forty-chars
  $ mkdir -p $d && echo one > $d/file.txt
  $ on_terminal.py "keltro cop 'C:\src\*' 'C:\dst' /S /y" | grep progress
  progress: 99 columns: 0 files, 0 B, 0 B/s  ...e-of-forty-characters-x\another-long-directory-name-of-forty-chars\file.txt
  progress: erased before other text and at the end

A line left standing while standard output goes to a file is erased at the end.
  $ on_terminal.py "keltro del 'C:\dst\*' /S /y >out.txt"
  progress: 99 columns: 0 files, 0 B, 0 files/s  ...-forty-characters-x\another-long-directory-name-of-forty-chars\file.txt
  progress: erased before other text and at the end

Never with standard error redirected, nor for sho.
  $ on_terminal.py "keltro cop 'C:\src\*' 'C:\dst' /S /y 2>err.txt" | tail -1
  progress: none
  $ wc -c < err.txt
  0
  $ on_terminal.py "keltro sho 'C:\src\*' /S" | tail -1
  progress: none
