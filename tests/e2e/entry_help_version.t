Version and usage end the run with 255 (-1); the usage has no final line break.
  $ keltro VERSION c:\ignored
  keltro V1.0.0345  (c) 2026 the keltro developers
  [255]

No arguments, /?, "hel..." and an empty command word show the help.
  $ keltro > none.txt; echo $?; head -1 none.txt
  255
  keltro V1.0.0345  (c) 2026 the keltro developers
  $ keltro /? > q.txt; keltro help > h.txt; keltro hel c:\\ > h2.txt; keltro /v > v.txt; echo $?
  255
  $ cmp none.txt q.txt && cmp none.txt h.txt && cmp none.txt h2.txt && cmp none.txt v.txt && echo same
  same
  $ keltro sho /? | tail -1
  \t\t~T\ttotal owned files (esc) (no-eol)
  $ keltro /? | wc -l
  120

A string table lacking a resource names it on standard error, nothing else.
  $ keltro-without-copyright ver  # not under Wine: a Linux build
  2> Copyright String Resource not found
  [255]
  $ keltro-without-copyright /?  # not under Wine: a Linux build
  2> Copyright String Resource not found
  [255]
