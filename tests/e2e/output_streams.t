Buffered listing lines keep an error (D: has no root) in its place between C: and E:.
  $ mkdir c e && touch c/one e/two
  $ KELTRO_DRIVES="C=$T/c;D=$T/gone;E=$T/e" keltro sho '*:\*' 2>&1  # not under Wine: the drives come from KELTRO_DRIVES
  C:\one
  2> KELTRO-ERROR, cannot go to D:\, error=21
  E:\two

Failed output ends the run: 112 for a full disk, 232 for a closed pipe (SIGPIPE ignored).
  $ keltro sho 'C:\c\*' > /dev/full
  2> KELTRO-ERROR, cannot write to standard output, error=112
  [112]
  $ python3 -c 'import os, subprocess, sys; r, w = os.pipe(); os.close(r); sys.exit(subprocess.call(sys.argv[1:], stdout=w, restore_signals=False))' keltro sho 'C:\c\*'  # not under Wine: Wine reports a closed pipe as 233
  2> KELTRO-ERROR, cannot write to standard output, error=232
  [232]
