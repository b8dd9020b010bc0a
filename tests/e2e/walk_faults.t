Nothing inside a walk ends the run: each failure prints its message, counts
in "errors detected" where it should, and the walk goes on.

A root directory that does not exist cannot be entered: no ~d line, no ~e
line, one error.

  $ keltro sho 'C:\nothere\*' '~d~f' '~e~e' /v
  2> KELTRO-ERROR, cannot go to C:\nothere\, error=2
  KELTRO-STATISTICS=           0 files
  KELTRO-STATISTICS=           0 bytes
  KELTRO-STATISTICS=           0 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           1 errors detected

Symbolic links are never entered, so a link back up the tree cannot make the
walk go round; the links themselves are ordinary entries.

  $ mkdir -p loop/in && ln -s .. loop/in/up && ln -s ../in loop/in/self && ln -s /nonexistent loop/in/dangling && touch loop/in/f
  $ keltro sho 'C:\loop\*' /S '~F~f ~a'  # not under Wine: Wine shows Unix links as their targets
  C:\loop\in\dangling ......
  C:\loop\in\f ...A..
  C:\loop\in\self ......
  C:\loop\in\up ......
  C:\loop\in .....D
  $ keltro sho 'C:\loop\*' /S '~F' '~T~T entries in ~d directories'  # not under Wine: Wine shows Unix links as their targets
  5 entries in 1 directories

Paths have room for 511 characters. C:\deep\ and two names of 200 characters
make a path of 410: a subdirectory of 100 characters still fits exactly
(511), one of 101 is not entered, and a file in the 511-character directory
has no room for its full name. Each refusal is reported and counted, and the
walk goes on with the siblings.

  $ n100=$(printf 'n%.0s' $(seq 100)); n200=$n100$n100; base="deep/$n200/$n200"
  $ mkdir -p "$base/$n100" "$base/${n100}m/unseen" && touch "$base/$n100/x" "$base/short"
  $ keltro sho 'C:\deep\*' /S '~F~N' /v 2>&1 | sed "s/$n100/<100>/g"  # not under Wine: Win32 paths end at 260 characters
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>\x'
  <100>
  2> KELTRO-ERROR, path too long: 'C:\deep\<100><100>\<100><100>\<100>m\'
  <100>m
  short
  <100><100>
  <100><100>
  KELTRO-STATISTICS=           5 files
  KELTRO-STATISTICS=           0 bytes
  KELTRO-STATISTICS=           3 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           2 errors detected

A directory specification made by wildcard expansion has room for 255
characters; a branch that would not fit is reported, counted and skipped,
and the other branches go on (here one that names a file, not a directory).

  $ w20=wwwwwwwwwwwwwwwwwwww; l240=$(printf 'l%.0s' $(seq 240))
  $ mkdir -p "$w20/$l240" w && touch "w/$l240"
  $ keltro sho "C:\\w*\\$l240\\*" '~F~f' /v 2>&1 | sed "s/$l240/<240>/g"  # not under Wine: C:\windows matches w* there
  2> KELTRO-ERROR, cannot go to C:\w\<240>\, error=267
  2> KELTRO-ERROR, path too long: '\wwwwwwwwwwwwwwwwwwww\<240>\'
  KELTRO-STATISTICS=           0 files
  KELTRO-STATISTICS=           0 bytes
  KELTRO-STATISTICS=           0 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           2 errors detected

A current directory whose path is longer than the system can give (4096
bytes) is never replaced by a guess: nothing is walked, and the reason is
reported.

  $ d=$(printf 'd%.0s' $(seq 200)); for i in $(seq 22); do mkdir $d && cd $d; done; touch deep
  $ keltro sho '*' /S  # not under Wine: Wine cannot start a program in so deep a directory
  2> KELTRO-ERROR, cannot read the current directory, error=206
  $ cd "$T"
