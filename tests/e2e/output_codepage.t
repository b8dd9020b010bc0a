Under 8-bit ANSI 1252 listing lines go out in OEM 850 (ä 0xE4 -> 0x84) unless /A; messages never.
  $ mkdir d && touch "d/$(printf 'b\xe4r')"
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho 'C:\d\*' ~F~N
  b\x84r (esc)
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho 'C:\d\*' ~F~N /A
  b\xe4r (esc)
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho "C:\\d\\B$(printf '\xc4')R" ~F~N
  b\x84r (esc)
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho "C:\\$(printf 'gr\xfcn')\\*"
  2> KELTRO-ERROR, cannot go to C:\\gr\xfcn\\, error=2 (esc)

The locale names days, months, the separator; one not installed gives C's.
  $ mkdir n && head -c 12345 /dev/zero > n/x && touch -d '2024-03-05 18:05:09' n/x
  $ LC_ALL=de_DE.ISO-8859-1 QX_DATE_FORMAT='dddd d.MMM ' keltro sho 'C:\n\x' '~F~M ~s' /A  # not under Wine: Wine's German abbreviated March is März
  Dienstag 5.M\xe4r 18:05 12.345 (esc)
  $ LC_ALL=xx_NOWHERE.UTF-8 QX_DATE_FORMAT='MMMM ' keltro sho 'C:\n\x' '~F~M ~s'  # not under Wine: Wine warns of the unknown locale on standard error
  March 18:05 12,345

Under UTF-8 both code pages are UTF-8 and nothing changes.
  $ mkdir u && touch u/bär u/straße
  $ keltro sho 'C:\u\*' ~F~N  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  bär
  straße
  $ keltro sho 'C:\u\BÄR' ~F~N && keltro sho 'C:\u\STRAßE' ~F~N  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  bär
  straße
  $ keltro sho 'C:\u\B?R' ~F~N  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  bär

A single-byte locale counts bytes: a UTF-8 ä is two characters.
  $ LC_ALL=de_DE.ISO-8859-1 keltro sho 'C:\u\b*' '~F[~5N][~!2N]' /A
  [ b\xc3\xa4r][b\xc3] (esc)
