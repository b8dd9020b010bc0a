Needs: smb
Files on a share, listed through the network: the server's DOS attributes,
times and sizes, names in the order a local listing gives them, wildcard
directories, and the errors of shares and directories that cannot be reached.
  $ smb-servers start $T/smb 127.0.0.2 data
  $ export HOME=$T/smb/client && D=$T/smb/127.0.0.2/shares/data
  $ mkdir -p $D/sub/deep $D/Zed $D/_x $D/skip
  $ printf hello > $D/a.txt && printf xx > $D/B.txt && printf 123456 > $D/sub/deep/c.log && printf 1 > $D/skip/d.log
  $ mkdir "$D/100%41 a@b;c" && printf 1 > "$D/100%41 a@b;c/f" && printf 12 > $D/bär.txt
  $ touch -d '2020-01-02 03:04:05' $D/B.txt
  $ smbclient //127.0.0.2/data -N -c 'setmode a.txt +hr; setmode Zed +s' > /dev/null 2>&1
  $ keltro sho '\\127.0.0.2\data\*' /S '~F~a ~s ~f' '~e~S ~e T=~T s=~s'
  ...... 1 \\127.0.0.2\data\100%41 a@b;c\f
  .....D 0 \\127.0.0.2\data\100%41 a@b;c
  RH.... 5 \\127.0.0.2\data\a.txt
  ...... 2 \\127.0.0.2\data\B.txt
  ...... 2 \\127.0.0.2\data\bär.txt
  ...... 1 \\127.0.0.2\data\skip\d.log
  .....D 0 \\127.0.0.2\data\skip
  ...... 6 \\127.0.0.2\data\sub\deep\c.log
  .....D 0 \\127.0.0.2\data\sub\deep
  .....D 0 \\127.0.0.2\data\sub
  ..S..D 0 \\127.0.0.2\data\Zed
  .....D 0 \\127.0.0.2\data\_x
  \\127.0.0.2 data T=12 s=17

One name without wildcards is looked up as the server spells it; times are the server's.
  $ keltro sho '\\127.0.0.2\data\b.TXT' '~F~f ~M ~L'
  \\127.0.0.2\data\B.txt 02.01.2020 03:04 02.01.2020 03:04
  $ keltro sho '\\127.0.0.2\data\S*\*' /S '~F~f' '~e~e T=~T'
  \\127.0.0.2\data\skip\d.log
  data T=1
  \\127.0.0.2\data\sub\deep\c.log
  \\127.0.0.2\data\sub\deep
  data T=2

Owners and access lists are the server's, each account named as the server names it.
  $ smbcacls //127.0.0.2/data B.txt -N -a 'ACL:S-1-1-0:DENIED/0/W' && smbcacls //127.0.0.2/data B.txt -N -a 'ACL:S-1-5-32-544:ALLOWED/OI|CI/FULL'
  $ keltro sho '\\127.0.0.2\data\*.txt' '~F~o: ~g~N' '~T~o owners'
  Unix User\root: Unix User\root:0x001F019F Unix Group\root:0x00120089 \Everyone:0x00120089 a.txt
  Unix User\root: \Everyone:N \Everyone:0x00120089 Unix User\root:0x001F019F Unix Group\root:0x00120089 BUILTIN\Administrators:Fco B.txt
  Unix User\root: Unix User\root:0x001F019F Unix Group\root:0x00120089 \Everyone:0x00120089 bär.txt
  1 owners

A directory that is missing or is a file is reported; the run goes on.
  $ keltro sho '\\127.0.0.2\data\missing\*'
  2> KELTRO-ERROR, cannot go to \\127.0.0.2\data\missing\, error=2
  $ keltro sho '\\127.0.0.2\data\a.txt\*'
  2> KELTRO-ERROR, cannot go to \\127.0.0.2\data\a.txt\, error=267

Copies from a share to a local drive keep the data, the attribute word and the times.
  $ keltro cop '\\127.0.0.2\data\*' 'C:\copy\' /S /y | grep -e ERROR -e "files copied"
  KELTRO-STATISTICS=           6 files copied
  $ keltro sho 'C:\copy\*' /S '~F~a ~s ~f'
  ...... 1 C:\copy\100%41 a@b;c\f
  .....D 0 C:\copy\100%41 a@b;c
  RH.... 5 C:\copy\a.txt
  ...... 2 C:\copy\B.txt
  ...... 2 C:\copy\bär.txt
  ...... 1 C:\copy\skip\d.log
  .....D 0 C:\copy\skip
  ...... 6 C:\copy\sub\deep\c.log
  .....D 0 C:\copy\sub\deep
  .....D 0 C:\copy\sub
  ..S..D 0 C:\copy\Zed
  .....D 0 C:\copy\_x
  $ keltro sho 'C:\copy\B.txt' '~F~M ~L' && cat copy/a.txt "copy/100%41 a@b;c/f" copy/sub/deep/c.log
  02.01.2020 03:04 02.01.2020 03:04
  hello1123456 (no-eol)
  $ touch $D/B.txt && keltro upd '\\127.0.0.2\data\*' 'C:\copy\' /S /y | grep -e ERROR -e INFO
  KELTRO-INFO, replace: C:\copy\B.txt

Deleting on a share: the files, then the directories emptied.
  $ keltro del '\\127.0.0.2\data\sub\' /y | grep -e INFO -e ERROR
  KELTRO-INFO, delete: \\127.0.0.2\data\sub\deep\c.log
  KELTRO-INFO, remove: \\127.0.0.2\data\sub\deep\
  KELTRO-INFO, remove: \\127.0.0.2\data\sub\

A deep tree on a share is listed whole and in the order of a local listing,
while other connections read the directories the walk comes to next.
  $ for a in A b C; do for b in x Y z; do for c in 1 2; do mkdir -p $D/deep/$a/$b/$c && printf 1 > $D/deep/$a/$b/$c/f$c; done; printf 12 > $D/deep/$a/$b/g; done; done
  $ keltro sho 'C:\smb\127.0.0.2\shares\data\deep\*' /S '~F~f' | sed 's/^.*\\data\\deep//' > local
  $ keltro sho '\\127.0.0.2\data\deep\*' /S '~F~f' | sed 's/^.*\\data\\deep//' | diff local - && wc -l < local && head -4 local
  57
  \A\x\1\f1
  \A\x\1
  \A\x\2\f2
  \A\x\2
