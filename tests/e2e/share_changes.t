Needs: smb
Changes on a share. Copies onto it keep the data, the attribute word and the
times (to the microsecond for a word of R and A alone) and leave no
temporary file; the old a.txt is replaced.
  $ smb-servers start $T/smb 127.0.0.6 data
  $ export HOME=$T/smb/client && D=$T/smb/127.0.0.6/shares/data
  $ mkdir -p src/sub/deep $D/t/extra/deeper && printf x > $D/t/extra/deeper/f && printf old > $D/t/a.txt
  $ printf hello > src/a.txt && printf xyz > src/h.txt && printf 12345 > src/sub/deep/c.log
  $ touch -d '2020-01-02 03:04:05.5' src/a.txt src/sub/deep/c.log && touch -d '2021-02-03 04:05:06' src/h.txt
  $ keltro set 'C:\src\a.txt' /aR /y > /dev/null && keltro set 'C:\src\h.txt' /a.H /y > /dev/null
  $ keltro cop 'C:\src\*' '\\127.0.0.6\data\t\' /S /y | grep -e ERROR -e replace: -e copied
  KELTRO-INFO, replace: \\127.0.0.6\data\t\a.txt
  KELTRO-STATISTICS=           2 files copied
  KELTRO-STATISTICS=          13 bytes copied
  $ keltro sho '\\127.0.0.6\data\t\*.*' /S '~F~a ~M ~s ~f'
  R..A.. 02.01.2020 03:04 5 \\127.0.0.6\data\t\a.txt
  .H.A.. 03.02.2021 04:05 3 \\127.0.0.6\data\t\h.txt
  ...A.. 02.01.2020 03:04 5 \\127.0.0.6\data\t\sub\deep\c.log
  $ stat -c %y $D/t/a.txt && ls -a $D/t && cat $D/t/a.txt
  2020-01-02 03:04:05.500000000 +0000
  .
  ..
  a.txt
  extra
  h.txt
  sub
  hello (no-eol)

mir /d with /T: the newer target is kept, the names without a source go, and
nothing else is replaced, as the copied times are equal to their sources'.
  $ touch -d '2030-01-01' $D/t/sub/deep/c.log
  $ keltro mir 'C:\src\*' '\\127.0.0.6\data\t\' /S /d /T /y | grep -e INFO -e ERROR
  KELTRO-INFO, delete: \\127.0.0.6\data\t\extra\deeper\f
  KELTRO-INFO, remove: \\127.0.0.6\data\t\extra\deeper\
  KELTRO-INFO, remove: \\127.0.0.6\data\t\extra\
  $ ls $D/t
  a.txt
  h.txt
  sub

A failed read (the source is a link to the process's own memory, whose first
page cannot be read) leaves the old target and no temporary file.
  $ mkdir bad && ln -s /proc/self/mem bad/a.txt
  $ keltro cop 'C:\bad\*' '\\127.0.0.6\data\t\' /y | grep -e ERROR -e replaced
  2> KELTRO-ERROR, cannot replace \\127.0.0.6\data\t\a.txt, error=1117
  KELTRO-STATISTICS=           0 protections replaced
  $ ls -a $D/t && cat $D/t/a.txt
  .
  ..
  a.txt
  h.txt
  sub
  hello (no-eol)

Attributes and times set on share files (a word with H or S keeps the
other times); with /P the owner, group and access
list of the source, read back as the server names them; a read-only file is
taken over and deleted.
  $ keltro set '\\127.0.0.6\data\t\sub\deep\c.log' /aR '/M24.12.2024 10:00:01:500' /y | grep -v STATISTICS
  KELTRO-INFO, set: \\127.0.0.6\data\t\sub\deep\c.log
  $ keltro set '\\127.0.0.6\data\t\h.txt' '/C1.2.2003 04:05' /y > /dev/null
  $ keltro set '\\127.0.0.6\data\t\h.txt' /aRHSA /y | grep -v STATISTICS
  KELTRO-INFO, set: \\127.0.0.6\data\t\h.txt
  $ keltro sho '\\127.0.0.6\data\t\h.txt' '~F~a ~M ~C' && keltro sho '\\127.0.0.6\data\t\sub\deep\c.log' '~F~a ~M'
  RHSA.. 03.02.2021 04:05 01.02.2003 04:05
  R..A.. 24.12.2024 10:00
  $ stat -c %y $D/t/sub/deep/c.log
  2024-12-24 10:00:01.500000000 +0000
  $ chmod 640 src/a.txt && keltro cop 'C:\src\a.txt' '\\127.0.0.6\data\t\' /P /y | grep -e ERROR -e replaced
  KELTRO-STATISTICS=           1 protections replaced
  $ keltro sho '\\127.0.0.6\data\t\a.txt' '~F~o ~g~N'
  Unix User\root Unix User\root:0x0012019F Unix Group\root:0x00120089 a.txt
  $ keltro del '\\127.0.0.6\data\t\h.txt' /y | grep -e INFO -e ERROR -e deleted
  ASEC-INFO, took ownership of \\127.0.0.6\data\t\h.txt
  KELTRO-INFO, delete: \\127.0.0.6\data\t\h.txt
  KELTRO-STATISTICS=           1 files deleted
  KELTRO-STATISTICS=           3 bytes deleted

Owners and lists given by name are looked up on the server.
  $ keltro set '\\127.0.0.6\data\t\a.txt' '/oUnix User\nobody' '/gEveryone:R Unix User\nobody:F' /y | grep -e ERROR -e set:
  KELTRO-INFO, set: \\127.0.0.6\data\t\a.txt
  $ keltro sho '\\127.0.0.6\data\t\a.txt' '~F~o ~g~N'
  Unix User\nobody \Everyone:R Unix User\nobody:F a.txt

A server list and a format file kept on a share are read from it.
  $ printf 'WORKGROUP\\\\127.0.0.6\n' > $D/list.txt && printf '~f is on a share' > $D/fmt
  $ SERVERLIST='\\127.0.0.6\data\list.txt' keltro sho 'W*\\127.*\data\t\a.txt' '~F\\127.0.0.6\data\fmt' | grep -v STATISTICS
  \\127.0.0.6\data\t\a.txt is on a share
