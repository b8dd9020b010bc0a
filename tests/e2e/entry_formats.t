The per-file format comes from ~F, else BELMIX_FORMAT, else ~f.
  $ mkdir -p data && printf 'abc' > data/one.txt
  $ keltro sho 'c:\data\*'
  C:\data\one.txt
  $ BELMIX_FORMAT='~N ~s' keltro sho 'c:\data\*'
  one.txt 3
  $ BELMIX_FORMAT='~N ~s' keltro sho 'c:\data\*' '~F[~N]'
  [one.txt]
  $ BELMIX_FORMAT= keltro sho 'c:\data\*'
  C:\data\one.txt

A format holding a backslash names a file holding the format, line ends kept.
  $ printf 'name=~N\r\nsize=~s' > fmt.txt
  $ keltro sho 'c:\data\*' '~FC:\fmt.txt'
  name=one.txt\r (esc)
  size=3
  $ keltro sho 'c:\data\*' '~FC:\missing.txt'
  C:\missing.txt

Only a file's first 2047 bytes count; a line holds 2047 characters.
  $ printf 'x%.0s' $(seq 2040) > long.txt && printf '~-10N|' >> long.txt
  $ keltro sho 'c:\data\*' '~FC:\long.txt' | cut -c2035-
  xxxxxxone.txt

A format without a backslash is looked for beside the program first.
  $ mkdir bin && cp "$KELTRO_BIN" bin/keltro && printf '<~N>' > bin/angle
  $ bin/keltro sho 'c:\data\*' ~Fangle  # not under Wine: the copy is Wine's starter, not the program
  <one.txt>
  $ keltro sho 'c:\data\*' ~Fangle
  angle
