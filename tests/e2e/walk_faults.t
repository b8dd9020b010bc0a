Failures inside a walk print, count in "errors detected" and the walk goes on.

A missing root directory: no ~d line, no ~e line, one error.
  $ keltro sho 'C:\nothere\*' '~d~f' '~e~e' /v 2>&1 | grep -v '= *0 '
  2> KELTRO-ERROR, cannot go to C:\nothere\, error=2
  KELTRO-STATISTICS=           1 errors detected

Symbolic links are ordinary entries, never entered: no loops.
  $ mkdir -p loop/in && ln -s .. loop/in/up && ln -s ../in loop/in/self && ln -s /nonexistent loop/in/dangling && touch loop/in/f
  $ keltro sho 'C:\loop\*' /S '~F~f ~a'  # not under Wine: Wine shows Unix links as their targets
  C:\loop\in\dangling ......
  C:\loop\in\f ...A..
  C:\loop\in\self ......
  C:\loop\in\up ......
  C:\loop\in .....D
  $ keltro sho 'C:\loop\*' /S '~F' '~T~T entries in ~d directories'  # not under Wine: Wine shows Unix links as their targets
  5 entries in 1 directories

Paths hold 511 characters: 410 + 100 fits, 101 is refused, counted, and siblings go on, in a run of totals only too.
  $ n100=$(printf 'n%.0s' $(seq 100)); n200=$n100$n100; base="deep/$n200/$n200"
  $ mkdir -p "$base/$n100" "$base/${n100}m/unseen" && touch "$base/$n100/x" "$base/short"
  $ keltro sho 'C:\deep\*' /S '~F~N' /v 2>&1 | sed "s/$n100/<100>/g" | grep -v '= *0 '  # not under Wine: Win32 paths end at 260 characters
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>\x'
  <100>
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>m\'
  <100>m
  short
  <100><100>
  <100><100>
  KELTRO-STATISTICS=           5 files
  KELTRO-STATISTICS=           3 subdirectories
  KELTRO-STATISTICS=           2 errors detected
  $ keltro sho 'C:\deep\*' /S '~F' '~T~T files' 2>&1 | sed "s/$n100/<100>/g"  # not under Wine: Win32 paths end at 260 characters
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>\x'
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>m\'
  5 files

Wildcard-expanded directories hold 255 characters; a longer branch is counted, skipped.
  $ w20=wwwwwwwwwwwwwwwwwwww; l240=$(printf 'l%.0s' $(seq 240))
  $ mkdir -p "$w20/$l240" w && touch "w/$l240"
  $ keltro sho "C:\\w*\\$l240\\*" '~F~f' /v 2>&1 | sed "s/$l240/<240>/g" | grep -v '= *0 '  # not under Wine: C:\windows matches w* there
  2> KELTRO-ERROR, cannot go to C:\w\<240>\, error=267
  2> KELTRO-ERROR, path too long: '\wwwwwwwwwwwwwwwwwwww\<240>\'
  KELTRO-STATISTICS=           2 errors detected

A current directory past 4096 bytes is never guessed: nothing walked, reason reported.
  $ d=$(printf 'd%.0s' $(seq 200)); for i in $(seq 22); do mkdir $d && cd $d; done; touch deep
  $ keltro sho '*' /S  # not under Wine: Wine cannot start a program in so deep a directory
  2> KELTRO-ERROR, cannot read the current directory, error=206
  $ cd "$T"
