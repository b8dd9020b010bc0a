Start-up checks stop with 87: /d outside mir/upd, a target wildcard, then each command's.
  $ keltro del c:\\x\\* d:\\y* /d
  2> KELTRO-ERROR, /d switch only allowed with MIR or UPD operations
  [87]
  $ keltro del c:\\x\\* d:\\y*
  2> KELTRO-ERROR, wildcards not allowed in target path
  [87]
  $ keltro sho c:\\x\\* d:\\y?
  2> KELTRO-ERROR, wildcards not allowed in target path
  [87]
  $ keltro del c:\\x\\* d:\\y
  2> KELTRO-ERROR, no second path allowed with SET or DEL
  [87]
  $ keltro set c:\\x\\* d:\\y
  2> KELTRO-ERROR, no second path allowed with SET or DEL
  [87]
  $ keltro sho c:\\x\\* d:\\y
  2> KELTRO-ERROR, no second path allowed with SHO
  [87]
  $ keltro mir c:\\a*\\* d:\\b /d
  2> KELTRO-ERROR, cannot have multiple source directories with /d
  [87]
A target that neither exists nor can be created ends the run at once with the system's code.
  $ keltro upd c:\\a\\* d:\\b /d  # not under Wine: drive D: is Wine's own
  2> KELTRO-ERROR, DirExists(d:\b\) failed, error=3
  2> KELTRO-ERROR, DirExists(d:) failed, error=3
  [3]
  $ keltro cop c:\\a\\*
  2> KELTRO-ERROR, no target path specified
  [87]

An unknown command word walks nothing, status 0; only the first three letters count.
  $ keltro sh c:\\x
  2> KELTRO-ERROR, invalid command 'sh'
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ keltro ShowAll c:\\nothing-here\\*.txt
  2> KELTRO-ERROR, cannot go to C:\nothing-here\, error=2
  $ keltro DELETE c:\\x\\* | grep 'files deleted'
  2> KELTRO-ERROR, cannot go to C:\x\, error=2
  KELTRO-STATISTICS=           0 files deleted
  $ keltro set c:\\x\\* | grep 'files set'
  2> KELTRO-ERROR, cannot go to C:\x\, error=2
  KELTRO-STATISTICS=           0 files set
  $ keltro cop c:\\x\\* c:\\target /y 2>&1 | grep -v '= *0 '
  KELTRO-INFO, created c:\target\
  2> KELTRO-ERROR, cannot go to C:\x\, error=2
  KELTRO-STATISTICS=           1 directories created
  KELTRO-STATISTICS=           1 errors detected

Options may stand anywhere on the line.
  $ keltro /v sho c:\\nothing\\*.txt /S | grep subdirectories
  2> KELTRO-ERROR, cannot go to C:\nothing\, error=2
  KELTRO-STATISTICS=           0 subdirectories

A BELMIX_FORMAT too long for its buffer falls back to ~f.
  $ BELMIX_FORMAT="$(printf 'x%.0s' $(seq 300))" keltro sho c:\\nothing\\*
  2> KELTRO-ERROR, BELMIX_FORMAT longer than 255 characters, using ~f
  2> KELTRO-ERROR, cannot go to C:\nothing\, error=2

UNC sources wait for the network loops.
  $ keltro sho \\\\srv\\share\\*
  2> KELTRO-ERROR, UNC sources (\\srv) are not supported yet
