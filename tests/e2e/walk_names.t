Characters no Windows name holds show as stand-ins (0x01-0x1F U+F001-U+F01F, " * : < > ? \ |
U+F020-U+F027, trailing blank U+F028, trailing period U+F029): each entry once, enterable.
Not under Wine: the names are Linux names that Windows and Wine cannot hold.

x. and apache. keep their own files and sizes beside x and apache.
  $ mkdir -p dots/x dots/x. dots/apache dots/apache. && printf 1 > dots/x/f && printf 22 > dots/x./f
  $ printf 333 > dots/apache/a && printf 4444 > dots/apache./b
  $ keltro sho 'C:\dots\*' /S '~F~f ~s' '~T~d dirs ~s bytes'
  C:\dots\apache\a 3
  C:\dots\apache 0
  C:\\dots\\apache\xef\x80\xa9\\b 4 (esc)
  C:\\dots\\apache\xef\x80\xa9 0 (esc)
  C:\dots\x\f 1
  C:\dots\x 0
  C:\\dots\\x\xef\x80\xa9\\f 2 (esc)
  C:\\dots\\x\xef\x80\xa9 0 (esc)
  4 dirs 10 bytes

Typed x. is x (Windows rules); the stand-in typed back reaches x. itself.
  $ keltro sho 'C:\dots\x.\*' '~F~s'
  1
  $ keltro sho "C:\\dots\\x$(printf '\xef\x80\xa9')\\*" '~F~s'
  2

A period and a trailing-period stand-in name an entry, never . or ..
  $ keltro sho "C:\\dots\\.$(printf '\xef\x80\xa9')\\*" '~F~f'
  2> KELTRO-ERROR, cannot go to C:\\dots\\.\xef\x80\xa9\\, error=2 (esc)

A directory holding ? is entered by its stand-in, matched or typed; a\b is not a, then b.
  $ mkdir -p 'odd/q?x' 'odd/a/b' 'odd/a\b' 'odd/a:b' 'odd/end ' && touch 'odd/q?x/in' odd/a/b/neighbour 'odd/a\b/own' 'odd/a:b/colon' 'odd/end /blank'
  $ keltro sho 'C:\odd\*' /S '~F~f'
  C:\odd\a\b\neighbour
  C:\odd\a\b
  C:\odd\a
  C:\\odd\\a\xef\x80\xa2b\\colon (esc)
  C:\\odd\\a\xef\x80\xa2b (esc)
  C:\\odd\\a\xef\x80\xa6b\\own (esc)
  C:\\odd\\a\xef\x80\xa6b (esc)
  C:\\odd\\end\xef\x80\xa8\\blank (esc)
  C:\\odd\\end\xef\x80\xa8 (esc)
  C:\\odd\\q\xef\x80\xa5x\\in (esc)
  C:\\odd\\q\xef\x80\xa5x (esc)
  $ keltro sho 'C:\odd\q?x\*' '~F~f'
  C:\\odd\\q\xef\x80\xa5x\\in (esc)
  $ keltro sho "C:\\odd\\q$(printf '\xef\x80\xa5')x" '~F~f'
  C:\\odd\\q\xef\x80\xa5x (esc)
  $ keltro sho "C:\\odd\\q$(printf '\xef\x80\xa5')x\\*" '~F~N'
  in
  $ keltro sho "C:\\odd\\a$(printf '\xef\x80\xa6')B\\*" '~F~N'
  own

A name is folded and checked whole, past its first sixteen bytes.
  $ mkdir long && touch long/seventeen-letters-b long/SEVENTEEN-LETTERS-C 'long/seventeen-letters?'
  $ keltro sho 'C:\long\*' '~F~N'
  seventeen-letters-b
  SEVENTEEN-LETTERS-C
  seventeen-letters\xef\x80\xa5 (esc)

Only case is ignored for a name missing as typed (Latin-1 é is not É); Samba stand-ins are walked.
  $ mkdir -p "case/$(printf 'caf\xe9')" "case/q$(printf '\xef\x80\xa5')x" && touch "case/$(printf 'caf\xe9')/latin" "case/q$(printf '\xef\x80\xa5')x/mac"
  $ keltro sho "C:\\CASE\\CAF$(printf '\xc3\x89')\\*" '~F~N'
  2> KELTRO-ERROR, cannot go to C:\CASE\CAFÉ\, error=2
  $ keltro sho 'C:\CASE\*' /S '~F~f'
  C:\\CASE\\caf\xe9\\latin (esc)
  C:\\CASE\\caf\xe9 (esc)
  C:\\CASE\\q\xef\x80\xa5x\\mac (esc)
  C:\\CASE\\q\xef\x80\xa5x (esc)

A line break in a name is shown as U+F00A: one entry, one line.
  $ mkdir nl && touch "nl/$(printf 'two\nlines')" nl/plain
  $ keltro sho 'C:\nl\*' '~F~N'
  plain
  two\xef\x80\x8alines (esc)

A listed name is never taken for a wildcard: What? under W* is walked once.
  $ mkdir -p 'w/What?' w/Wx && touch 'w/What?/f' w/Wx/g
  $ keltro sho 'C:\w\W*\*' '~F~f' '~e~d'
  C:\\w\\What\xef\x80\xa5\\f (esc)
  \\w\\What\xef\x80\xa5\\ (esc)
  C:\w\Wx\g
  \w\Wx\

Under ANSI 1252 stand-ins show as ?; What? is tried once and refused.
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho 'C:\odd\*' '~F~N' /A
  a
  a?b
  a?b
  end?
  q?x
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho 'C:\w\W*\*' '~F~f' /v 2>&1 | grep -v '= *0 '
  2> KELTRO-ERROR, cannot go to C:\w\What?\, error=123
  C:\w\Wx\g
  KELTRO-STATISTICS=           1 files
  KELTRO-STATISTICS=           1 errors detected
