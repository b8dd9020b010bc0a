Each pair matching \a*\b*\ is walked alone, in order, with its ~e line, counted once.
  $ mkdir -p a1/b1 a1/b2 a1/c a2/b3 x/b4
  $ printf 1 > a1/b1/f && printf 22 > a1/b2/f && printf 333 > a2/b3/f && printf 4 > a1/c/f && printf 5 > x/b4/f
  $ keltro sho 'C:\a*\b*\*' '~F~f' '~e~e ~d ~f r=~r T=~T s=~s'  # not under Wine: Wine prints a zero as nothing
  C:\a1\b1\f
  C: \a1\b1\ * r=0 T=1 s=1
  C:\a1\b2\f
  C: \a1\b2\ * r=0 T=1 s=2
  C:\a2\b3\f
  C: \a2\b3\ * r=0 T=1 s=3
  $ keltro sho 'C:\a*\b*\*' '~F' '~T~e locations, ~T files'
  3 locations, 3 files

A plain directory part is walked once; ~f shows the first file pattern.
  $ keltro sho 'C:\a1\*.x,f' /S '~F~f' '~e~e ~d ~f r=~r T=~T'
  C:\a1\b1\f
  C:\a1\b2\f
  C:\a1\c\f
  C: \a1\ *.x r=1 T=3

Directory names match without case (plain ones as typed); ? is one character.
  $ mkdir -p projA/src a ab/src && printf 1 > projA/src/f && printf 1 > a/f && printf 1 > ab/src/f && printf 1 > ab/f
  $ keltro sho 'C:\PROJ*\SRC\*' '~F~f'
  C:\projA\SRC\f
  $ keltro sho 'C:\a?\*' '~F~f'
  C:\a1\b1
  C:\a1\b2
  C:\a1\c
  C:\a2\b3
  C:\ab\f
  C:\ab\src

A component matching no directory walks nothing, silently.
  $ keltro sho 'C:\zz*\*' '~e~d' '~T~e locations' /v | grep -e locations -e errors  # not under Wine: Wine prints a zero as nothing
  0 locations
  KELTRO-STATISTICS=           0 errors detected

Files never match a directory component.
  $ touch afile
  $ keltro sho 'C:\afil*\*' '~e~d'

File patterns: *, ? (one UTF-8 character), no case; the first match decides, ! excludes.
  $ mkdir m && (cd m && touch ababc xa report.txt.bak a.txt .txt makefile readme.TXT b.LOG x.dat x.log \~tmp \!old old bär x€€y)
  $ for p in '*abc' '*?.txt' '*.txt' '*a?' 'b?r' 'b??r' 'x*?y' '*.txt,*.log,!x*' '!~*,*' '*,!~*' '!!*,*' '!a,!b'
  > do echo "$p:" $(keltro sho "C:\\m\\$p" '~F~N'); done  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  *abc: ababc
  *?.txt: a.txt readme.TXT
  *.txt: .txt a.txt readme.TXT
  *a?: report.txt.bak x.dat
  b?r: bär
  b??r:
  x*?y: x€€y
  *.txt,*.log,!x*: .txt a.txt b.LOG readme.TXT x.log
  !~*,*: !old .txt a.txt ababc b.LOG bär makefile old readme.TXT report.txt.bak x.dat x.log xa x€€y
  *,!~*: !old .txt a.txt ababc b.LOG bär makefile old readme.TXT report.txt.bak x.dat x.log xa x€€y ~tmp
  !!*,*: .txt a.txt ababc b.LOG bär makefile old readme.TXT report.txt.bak x.dat x.log xa x€€y ~tmp
  !a,!b:

