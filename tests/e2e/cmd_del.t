A whole directory named with its closing backslash is emptied and removed, subtree first.
  $ mkdir -p d/s/t && printf 12345 > d/a && printf 1 > d/s/b && touch d/s/t/c
  $ keltro del 'C:\d\' /y | grep -v '= *0 '
  KELTRO-INFO, delete: C:\d\a
  KELTRO-INFO, delete: C:\d\s\b
  KELTRO-INFO, delete: C:\d\s\t\c
  KELTRO-INFO, remove: C:\d\s\t\
  KELTRO-INFO, remove: C:\d\s\
  KELTRO-INFO, remove: C:\d\
  KELTRO-STATISTICS=           3 files deleted
  KELTRO-STATISTICS=           6 bytes deleted
  KELTRO-STATISTICS=           3 directories removed
  $ test -e d || echo gone
  gone

Y deletes, N skips and counts, A stops the delete questions only: removals are still asked.
  $ mkdir -p p/s && touch p/a p/b p/c p/s/d
  $ printf 'y\nn\nA\n' | keltro del 'C:\p\*' /S /E | grep -v '= *0 '
  Delete C:\p\a ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, delete: C:\\p\\a (esc)
  Delete C:\p\b ?
  \x07N=no/Y=yes/A=yes to all (Default:N) Delete C:\\p\\c ? (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, delete: C:\\p\\c (esc)
  KELTRO-INFO, delete: C:\p\s\d
  Remove C:\p\s\ ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-STATISTICS=           3 files deleted (esc)
  KELTRO-STATISTICS=           2 actions skipped
  $ find p | sort
  p
  p/b
  p/s

A read-only file refuses the delete; taking it over is asked on its own (an A to the delete does
not answer it). Declined, the delete fails: an error, not a skipped action.
  $ mkdir r && touch r/ro && chmod a-w r/ro
  $ printf 'y\nn\n' | keltro del 'C:\r\*'  # not under Wine: Wine has no owner to take over
  Delete C:\r\ro ?
  \x07N=no/Y=yes/A=yes to all (Default:N) Remove protection from C:\\r\\ro ? (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-ERROR, cannot delete 'C:\\r\\ro', error=5 (esc)
  KELTRO-STATISTICS=           0 files deleted
  KELTRO-STATISTICS=           0 bytes deleted
  KELTRO-STATISTICS=           0 directories removed
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           1 errors detected
  $ printf 'A\ny\n' | keltro del 'C:\r\*' | grep -v '= *0 '  # not under Wine: Wine has no owner to take over
  Delete C:\r\ro ?
  \x07N=no/Y=yes/A=yes to all (Default:N) Remove protection from C:\\r\\ro ? (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) ASEC-INFO, took ownership of C:\\r\\ro (esc)
  KELTRO-INFO, delete: C:\r\ro
  KELTRO-STATISTICS=           1 files deleted
  KELTRO-STATISTICS=           1 files taken
