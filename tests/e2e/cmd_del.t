A whole directory named with its closing backslash is emptied and removed, subtree first.
  $ mkdir -p d/s/t && printf 12345 > d/a && printf 1 > d/s/b && touch d/s/t/c
  $ keltro del 'C:\d\' /y
  KELTRO-INFO, delete: C:\d\a
  KELTRO-INFO, delete: C:\d\s\b
  KELTRO-INFO, delete: C:\d\s\t\c
  KELTRO-INFO, remove: C:\d\s\t\
  KELTRO-INFO, remove: C:\d\s\
  KELTRO-INFO, remove: C:\d\
  KELTRO-STATISTICS=           3 files deleted
  KELTRO-STATISTICS=           6 bytes deleted
  KELTRO-STATISTICS=           3 directories removed
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ test -e d || echo gone
  gone

Y deletes, N skips and counts, A stops the delete questions only: removals are still asked.
  $ mkdir -p p/s && touch p/a p/b p/c p/s/d
  $ printf 'y\nn\nA\n' | keltro del 'C:\p\*' /S /E
  Delete C:\p\a ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, delete: C:\\p\\a (esc)
  Delete C:\p\b ?
  \x07N=no/Y=yes/A=yes to all (Default:N) Delete C:\\p\\c ? (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, delete: C:\\p\\c (esc)
  KELTRO-INFO, delete: C:\p\s\d
  Remove C:\p\s\ ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-STATISTICS=           3 files deleted (esc)
  KELTRO-STATISTICS=           0 bytes deleted
  KELTRO-STATISTICS=           0 directories removed
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           2 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ find p | sort
  p
  p/b
  p/s

A read-only file refuses the delete; it is taken over and deleted on the second try.
  $ mkdir r && touch r/ro && chmod a-w r/ro
  $ keltro del 'C:\r\*' /y; ls r  # not under Wine: Wine has no owner to take over
  ASEC-INFO, took ownership of C:\r\ro
  KELTRO-INFO, delete: C:\r\ro
  KELTRO-STATISTICS=           1 files deleted
  KELTRO-STATISTICS=           0 bytes deleted
  KELTRO-STATISTICS=           0 directories removed
  KELTRO-STATISTICS=           1 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected