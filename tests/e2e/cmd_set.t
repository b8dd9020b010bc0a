/aR.?? sets read-only, clears hidden and leaves system and archive; lower case leaves a bit.
  $ mkdir -p s/sub && touch s/f s/.h
  $ keltro set 'C:\s\*' '/aR.??' /y
  KELTRO-INFO, set: C:\s\.h
  KELTRO-INFO, set: C:\s\f
  KELTRO-INFO, setdir: C:\s\sub
  KELTRO-STATISTICS=           3 files set
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ keltro set 'C:\s\*' '/a?h' /y >/dev/null
  $ keltro sho 'C:\s\*' '~F~N ~a'  # not under Wine: Wine shows a dot name hidden whatever is stored
  .h R..A..
  f R..A..
  sub .....D

/M alone changes the last-write time; the access time stays.
  $ touch -d '2020-01-02 03:04' s/t && touch -a -d '2021-05-06 07:08' s/t
  $ keltro set 'C:\s\t' '/M24.12.2024 10:00' /y | grep -v STATISTICS
  KELTRO-INFO, set: C:\s\t
  $ keltro sho 'C:\s\t' '~F~N ~M ~L'
  t 24.12.2024 10:00 06.05.2021 07:08

Set asks once per entry; N skips the entry (it still counts), A answers every later question.
  $ printf 'n\nA\n' | keltro set 'C:\s\*' /S | grep -v '= *0 '
  Set C:\s\.h ?
  \x07N=no/Y=yes/A=yes to all (Default:N) Set C:\\s\\f ? (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, set: C:\\s\\f (esc)
  KELTRO-INFO, setdir: C:\s\sub
  KELTRO-INFO, set: C:\s\t
  KELTRO-STATISTICS=           4 files set

A question too long for its 256 bytes is cut there and still ends its line, for an action too.
  $ n=$(printf 'n%.0s' $(seq 120)); mkdir -p "$n/$n" && touch "$n/$n/twelve-chars"
  $ printf 'n\n' | keltro set "C:\\$n\\$n\\*" | sed -n 1p | wc -c
  255
  $ printf 'n\n' | keltro del "C:\\$n\\$n\\*" | sed -n 1p | wc -c
  255
