Every parse error names its argument and ends the run with status 87; the
parser's own message comes first.

  $ keltro sho c:\\x /ä  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  2> PARAM-ERROR, invalid option '/ä'
  2> KELTRO-ERROR, error in argument no.3
  [87]
  $ keltro sho c:\\x /s
  2> PARAM-ERROR, invalid option '/s'
  2> KELTRO-ERROR, error in argument no.3
  [87]
  $ keltro sho /vx
  2> PARAM-ERROR, no value allowed for option '/v'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho /hx
  2> PARAM-ERROR, non-numeric value for option '/h'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho '-s10;20'
  2> PARAM-ERROR, range syntax error for criteria '-s'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho -M1.1.20ä4  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  2> invalid character 'ä' in date '1.1.20ä4'
  2> PARAM-ERROR, Syntax error for criteria '-M'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho +s5
  2> PARAM-ERROR, invalid LOWER-CRITERIA datatype
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho -x
  2> PARAM-ERROR, invalid criteria '-x'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho +x1.1.2024
  2> PARAM-ERROR, invalid criteria '+x'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho ~q
  2> PARAM-ERROR, invalid format '~q'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho c:\\a d:\\b e:\\c
  2> PARAM-ERROR, invalid parameter 4
  2> KELTRO-ERROR, error in argument no.4
  [87]

Lone prefixes and an empty argument stop the parse without a message of their own.

  $ for a in / - + '~' ''; do keltro sho "$a"; echo "status $?"; done
  2> KELTRO-ERROR, error in argument no.2
  status 87
  2> KELTRO-ERROR, error in argument no.2
  status 87
  2> KELTRO-ERROR, error in argument no.2
  status 87
  2> KELTRO-ERROR, error in argument no.2
  status 87
  2> KELTRO-ERROR, error in argument no.2
  status 87

Limits: a value of more than 255 characters, a source specification of 257
characters, 300 arguments. None of them writes past a buffer.

  $ keltro sho "/g$(printf 'x%.0s' $(seq 300))"
  2> PARAM-ERROR, value too long for option '/g' (at most 255 characters)
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho "C:\\$(printf 'a%.0s' $(seq 254))"
  2> PARAM-ERROR, value too long for parameter 2 (at most 255 characters)
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ keltro sho $(seq 300)
  2> PARAM-ERROR, too many arguments (at most 255)
  2> KELTRO-ERROR, error in argument no.256
  [87]
