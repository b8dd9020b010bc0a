With /S a subtree is walked before its own entry: a ~d line follows those below it.
  $ mkdir -p chain/x/y && printf abc > chain/x/y/f.txt
  $ keltro sho 'C:\chain\*' /S '~F~f' '~d~f'
  C:\chain\x\y\f.txt
  C:\chain\x\y\
  C:\chain\x\y
  C:\chain\x\
  C:\chain\x
  C:\chain\

Without /S a subdirectory is an ordinary entry and is never entered.
  $ keltro sho 'C:\chain\*' '~F~f ~a' '~d~f'
  C:\chain\x .....D
  C:\chain\

Cumulated tallies include the directory's own files (2 here, 3 below: T 2, Y 5, d 1, Z 1).
  $ mkdir -p cum/sub && printf 1 > cum/a.txt && printf 22 > cum/b.txt
  $ printf 333 > cum/sub/c.txt && printf 4444 > cum/sub/d.txt && printf 55555 > cum/sub/e.txt
  $ keltro sho 'C:\cum\*.txt' /S '~F' '~d~f T=~T s=~s d=~d Y=~Y X=~X Z=~Z'  # not under Wine: Wine prints a zero as nothing
  C:\cum\sub\ T=3 s=12 d=0 Y=3 X=12 Z=0
  C:\cum\ T=2 s=3 d=1 Y=5 X=15 Z=1

When the subdirectory's name matches too, its entry counts in the parent.
  $ mv cum/sub cum/sub.txt
  $ keltro sho 'C:\cum\*.txt' /S '~F' '~d~f T=~T Y=~Y d=~d Z=~Z' '~T~T files ~d dirs'  # not under Wine: Wine prints a zero as nothing
  C:\cum\sub.txt\ T=3 Y=3 d=0 Z=0
  C:\cum\ T=3 Y=6 d=1 Z=1
  6 files 1 dirs

. and .. are listed in subdirectories but never matched, counted or entered.
  $ mkdir -p dots/in && touch dots/.hidden dots/in/.x
  $ keltro sho 'C:\dots\.*' /S '~F~f' /v | grep -v '= *0 '
  C:\dots\.hidden
  C:\dots\in\.x
  KELTRO-STATISTICS=           2 files
  KELTRO-STATISTICS=           1 subdirectories

An empty directory still gets its ~d line; its own entry counts in the parent.
  $ mkdir -p hollow/inner
  $ keltro sho 'C:\hollow\*' /S '~F' '~d~f T=~T Y=~Y d=~d Z=~Z'  # not under Wine: Wine prints a zero as nothing
  C:\hollow\inner\ T=0 Y=0 d=0 Z=0
  C:\hollow\ T=1 Y=1 d=1 Z=1

Per-file values; on a local drive server and domain are empty.
  $ mkdir -p v/deep && printf 12345 > v/deep/a.b.c && touch v/deep/.profile
  $ keltro sho 'C:\v\*' /S '~F[~e|~d|~N|~n|~s|~a|~f|~S|~D]'  # not under Wine: Wine prints a zero as nothing
  [C:|\v\deep\|.profile||0|.H.A..|C:\v\deep\.profile||]
  [C:|\v\deep\|a.b.c|a|5|...A..|C:\v\deep\a.b.c||]
  [C:|\v\|deep|deep|0|.....D|C:\v\deep||]

Entries come in NTFS order: case folded (beyond ASCII too), then bytes.
  $ mkdir order && touch order/Éb order/éa order/B order/a
  $ keltro sho 'C:\order\*' '~F~N'  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  a
  B
  éa
  Éb
