Edges: the current directory, the program's folder, the command line, numbers past 32 bits.
Not under Wine: it maps drives with KELTRO_DRIVES, copies the program and quotes through a Unix shell.
  $ mkdir -p w/s1/s2/s3 && touch w/a w/s1/b w/s1/s2/c w/s1/s2/s3/d && printf 'abcdef' > w/six

Without a source the current directory is walked whole, with full names.
  $ cd w/s1 && keltro sho; cd ../..
  C:\w\s1\b
  C:\w\s1\s2\c
  C:\w\s1\s2\s3\d
  C:\w\s1\s2\s3
  C:\w\s1\s2

A current directory no drive covers is named (/ for \, <T> for the test's directory).
  $ KELTRO_DRIVES="C=$T/w" keltro sho 2>&1 | tr '\\' / | sed "s|$T|<T>|"
  2> KELTRO-ERROR, the current directory //?/unix<T> is on no drive: give the source with its drive

A current directory longer than 255 characters still gives its drive.
  $ L=$(printf '%0120d' 0)/$(printf '%0120d' 0)/$(printf '%040d' 0) && mkdir -p "w/$L"
  $ (cd "w/$L" && keltro sho '\w\s1\*' '~F~f')
  C:\w\s1\b
  C:\w\s1\s2

Only the format file beside the program is found: outside every drive, past 255 characters.
  $ mkdir -p prog "w$T/prog" && cp "$KELTRO_BIN" prog/keltro && cp "$KELTRO_BIN" "w/$L/keltro"
  $ printf 'decoy ~N' > "w$T/prog/~f" && printf 'planted ~N' > w/s1/s2/~f
  $ (cd w && KELTRO_DRIVES="C=$T/w" ../prog/keltro sho '\s1\s2\c')
  C:\s1\s2\c
  $ printf 'beside ~N' > prog/~f && printf 'beside long ~N' > "w/$L/~f"
  $ (cd w && KELTRO_DRIVES="C=$T/w" ../prog/keltro sho '\s1\s2\c')
  beside c
  $ "w/$L/keltro" sho 'C:\w\s1\s2\c'
  beside long c

A FIFO, socket or device is no format file (never opened): the format is text.
  $ mkfifo prog/pipe && timeout 10 prog/keltro sho 'C:\w\six' ~Fpipe
  pipe

Arguments pass as given, quotes included; a quote before a blank is refused.
  $ keltro sho 'C:\w\six' '~F"~N"'
  "six"
  $ keltro sho 'C:\w\six' '~F~N" ~T~T'
  2> PARAM-ERROR, argument no.3 cannot be passed on: a double quote followed by a blank or a control character ends a quoted word
  [87]

The arguments do not depend on /proc.
  $ unshare -rm sh -c 'mount -t tmpfs none /proc && exec keltro sho "C:\w\six" "~F~N ~s"'
  six 6

Numbers past 32 bits are held at the largest or smallest 32-bit value.
  $ keltro sho 'C:\w\six' -s0:3000000000 '~F~N ~s'
  six 6
  $ keltro sho 'C:\w\six' -s4294967302 '~F~N ~s'
  $ keltro sho 'C:\w\six' -s-4294967296:-1,6 /h4294967296 '~F~N ~s'
  six 6
