Parse errors name the argument after the parser's message (shown once here); status 87.
  $ keltro sho c:\\x /s
  2> PARAM-ERROR, invalid option '/s'
  2> KELTRO-ERROR, error in argument no.3
  [87]
  $ for a in /ä /vx /hx '-s10;20' -M1.1.20ä4 +s5 -x +x1.1.2024 '~q'; do keltro sho c:\\x "$a" 2>&1 | grep -v 'argument no.3'; s="$s ${PIPESTATUS[0]}"; done  # not under Wine: Wine gives a UTF-8 locale code pages 1252 and 437
  > echo "status$s"
  2> PARAM-ERROR, invalid option '/ä'
  2> PARAM-ERROR, no value allowed for option '/v'
  2> PARAM-ERROR, non-numeric value for option '/h'
  2> PARAM-ERROR, range syntax error for criteria '-s'
  2> invalid character 'ä' in date '1.1.20ä4'
  2> PARAM-ERROR, Syntax error for criteria '-M'
  2> PARAM-ERROR, invalid LOWER-CRITERIA datatype
  2> PARAM-ERROR, invalid criteria '-x'
  2> PARAM-ERROR, invalid criteria '+x'
  2> PARAM-ERROR, invalid format '~q'
  status 87 87 87 87 87 87 87 87 87
  $ keltro sho c:\\a d:\\b e:\\c
  2> PARAM-ERROR, invalid parameter 4
  2> KELTRO-ERROR, error in argument no.4
  [87]

A 0 must begin with 0; unreadable or out-of-calendar times are named by the time parser.
  $ keltro sho /h0 '~F'; keltro sho /h-0
  2> PARAM-ERROR, non-numeric value for option '/h'
  2> KELTRO-ERROR, error in argument no.2
  [87]
  $ for t in 24-12-2024 neverx ' 18:30' 12/24.2024 '24.12.2024  6:00' d1.5 'D1 2:3x' 29.2.2023 1.2.2024\ 0:60 \
  >   .12.2024 13/1/2024 d3000000 D30000000; do keltro sho "-M$t" 2>&1 | head -1; done  # not under Wine: Wine takes 29 February of a year that has none
  2> invalid date '24-12-2024'
  2> invalid date 'neverx'
  2> invalid date ''
  2> invalid character '.' in date '12/24.2024'
  2> invalid character ' ' in time ' 6:00'
  2> invalid character '.' in days '1.5'
  2> invalid character 'x' in time '2:3x'
  2> invalid date / time '29.2.2023' (out of bounds)
  2> invalid date / time '1.2.2024 0:60' (out of bounds)
  2> invalid date / time '.12.2024' (out of bounds)
  2> invalid date / time '13/1/2024' (out of bounds)
  2> invalid date / time 'd3000000' (out of bounds)
  2> invalid date / time 'D30000000' (out of bounds)

Lone prefixes and an empty argument stop the parse without a message of their own.
  $ s=; for a in / - + '~' ''; do keltro sho "$a"; s="$s $?"; done; echo "status$s"
  2> KELTRO-ERROR, error in argument no.2
  2> KELTRO-ERROR, error in argument no.2
  2> KELTRO-ERROR, error in argument no.2
  2> KELTRO-ERROR, error in argument no.2
  2> KELTRO-ERROR, error in argument no.2
  status 87 87 87 87 87

Limits: values past 255 characters, a 257-character source, 300 arguments.
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
