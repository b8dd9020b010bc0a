Each ~ placeholder takes its letter's value, with -, ., !, 0 modifiers and a width.
  $ mkdir d && head -c 12345 /dev/zero > d/a-rather-long-name.log && printf 'x' > d/notes.txt
  $ touch -d '2001-02-03 04:05:06' d/a-rather-long-name.log d/notes.txt
  $ keltro sho 'C:\d\*.log' '~F[~-14N][~.10N][~!6N][~8s][~-8s][~08s][~.!6N][~-.6N][~.2N]'
  [a-rather-long-name.log][a-rather..][a-rath][  12,345][12,345  ][0012,345][a-rath][a-ra..][..]
  $ keltro sho 'C:\d\*.txt' '~F[~-14N][~.10N][~!6N][~8s][~-8s][~08s][~.11N][~-.10N][~.1N]'
  [notes.txt     ][ notes.tx.][notes.][       1][1       ][00000001][  notes.txt][notes.tx. ][.]

~~ prints ~; an unknown letter or a modifier out of order ('-' after '.') vanishes.
  $ keltro sho 'C:\d\notes.txt' '~F~~~n~~ <~-08q> ~.-10N'
  ~notes~ <> 10N

Times print d.m.y h:m unless QX_DATE_FORMAT/QX_TIME_FORMAT give pictures (15 characters).
  $ keltro sho 'C:\d\notes.txt' '~F~M'
  03.02.2001 04:05
  $ QX_DATE_FORMAT='yyyy-MM-dd' QX_TIME_FORMAT='HH:mm:ss' keltro sho 'C:\d\notes.txt' '~F~M'
  2001-02-0304:05:06
  $ QX_DATE_FORMAT="d MMM yyyy '@' " keltro sho 'C:\d\notes.txt' '~F~M'
  3 Feb 2001 @ 04:05
  $ QX_DATE_FORMAT="d MMM yyyy '@@' " keltro sho 'C:\d\notes.txt' '~F~M'
  03.02.2001 04:05
  $ QX_DATE_FORMAT='d/M/yy ddd ' QX_TIME_FORMAT='h H:m:s tt' keltro sho 'C:\d\notes.txt' '~F~M'
  3/2/01 Sat 4 4:5:6 AM
  $ QX_DATE_FORMAT="'o''c' dd/M/y " QX_TIME_FORMAT='hh HH:mm:ss' keltro sho 'C:\d\notes.txt' '~F~M' # not under Wine: Wine writes the year picture y with a leading zero
  o'c 03/2/1 04 04:05:06

Widths count terminal columns (wide 2, combining 0); a cut never splits a character.
  $ mkdir w && touch w/Äpfel.txt w/日本語.txt "w/$(printf 'Cafe\xcc\x81')"
  $ keltro sho 'C:\w\*' '~F[~12N][~-10N][~!1N][~.5N]'  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  [        Café][Café      ][C][ Caf.]
  [   Äpfel.txt][Äpfel.txt ][Ä][Äpf..]
  [  日本語.txt][日本語.txt][ ][日...]
