Drives: fixed C:, CD D: E:, removable F:, network M: P:, RAM R:; each root holds its letter.
Not under Wine: the drive types come from KELTRO_DRIVES, which Wine does not read.
  $ for d in c d e f m p r; do mkdir -p $d && touch $d/$d.txt; done
  $ export KELTRO_DRIVES="C=$T/c;D=$T/d,cdrom;E=$T/e,cdrom;F=$T/f,removable;M=$T/m,remote;P=$T/p,remote;R=$T/r,ramdisk"

*: walks every drive in letter order, whatever its type; each is one location.
  $ keltro sho '*:\*' '~F~f' '~T~e locations'
  C:\c.txt
  D:\d.txt
  E:\e.txt
  F:\f.txt
  M:\m.txt
  P:\p.txt
  R:\r.txt
  7 locations

Class words take every drive of a type, or the first; case does not matter.
  $ for c in 'CD*' cd NET 'NET*' 'DISK*' DISK FLOPPY 'FLOPPY*'; do echo $c: $(keltro sho "$c:\*" '~F~f'); done
  CD*: D:\d.txt E:\e.txt
  cd: D:\d.txt
  NET: M:\m.txt
  NET*: M:\m.txt P:\p.txt
  DISK*: C:\c.txt
  DISK: C:\c.txt
  FLOPPY: F:\f.txt
  FLOPPY*: F:\f.txt

A drive letter is taken as it is, in either case, whatever its type.
  $ keltro sho 'r:\*' '~F~f'
  R:\r.txt

Without a drive part the drive of the current directory is used.
  $ cd m && keltro sho '*.txt' '~F~f'; cd ..
  M:\m.txt

A missing drive, unknown class or empty class walks nothing; the run ends normally.
  $ keltro sho 'q:\*' '~F~f' /v | grep errors
  2> KELTRO-ERROR, drive Q: is not available
  KELTRO-STATISTICS=           0 errors detected
  $ keltro sho 'CDROM:\*' '~F~f'
  2> KELTRO-ERROR, invalid drive specification 'CDROM:'
  $ keltro sho '1:\*' '~F~f'
  2> KELTRO-ERROR, invalid drive specification '1:'
  $ export KELTRO_DRIVES="C=$T/c;D=$T/d,cdrom"
  $ keltro sho 'Net*:\*' '~F~f'
  2> KELTRO-ERROR, no drives match 'Net*:'
  $ keltro sho 'FLOPPY:\*' '~F~f'
  2> KELTRO-ERROR, no drives match 'FLOPPY:'

Without KELTRO_DRIVES, C: is the root directory.
  $ KELTRO_DRIVES= keltro sho "C:${T//\//\\}\\c\\*" '~F~N'
  c.txt

An empty drive root lists nothing, not even . and ..: a failure of the directory.
  $ rm c/c.txt
  $ keltro sho 'C:\*' '~F~f' '~d~f' /v 2>&1 | grep -v '= *0 '
  2> KELTRO-ERROR, Dir(C:\) failed, error=2
  C:\
  KELTRO-STATISTICS=           1 errors detected
