Needs: smb
The server and share loops over loopback SMB servers: .21 and .22 answer,
.23 accepts connections and never answers (stopped with SIGSTOP).
  $ for a in 21 22 23; do smb-servers start smb 127.0.0.$a data 'hid$' docs || exit 1; done
  $ smb-servers pause smb 127.0.0.23
  $ export HOME=$T/smb/client
  $ cd smb/127.0.0.21/shares && mkdir data/sub && printf 12345 > data/a.txt && printf 1 > data/sub/b.txt
  $ printf 22 > 'hid$/h.txt' && printf 333 > docs/d.txt && printf 4444 > ../../127.0.0.22/shares/data/c.txt
  $ cd $T

A server and share named without wildcards are visited without enumeration:
no loop messages with /v; the ~e line follows the share, the ~S line the server.
  $ keltro sho '\\127.0.0.21\data\*.txt' /S /v '~SS ~D|~S|~e|~T|~s' '~ee ~e|~d|'
  \\127.0.0.21\data\a.txt
  \\127.0.0.21\data\sub\b.txt
  e data||
  S WORKGROUP|\\127.0.0.21|1|2|6
  KELTRO-STATISTICS=           2 files
  KELTRO-STATISTICS=           6 bytes
  KELTRO-STATISTICS=           1 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected

A share wildcard walks every disk share the server lists, in its order
(IPC$ never); /h2 leaves out the shares whose name ends in $.
  $ keltro sho '\\127.0.0.21\*\*.txt' '~SS ~S|~e|~T|~s'
  \\127.0.0.21\data\a.txt
  \\127.0.0.21\hid$\h.txt
  \\127.0.0.21\docs\d.txt
  S \\127.0.0.21|3|3|10
  $ keltro sho '\\127.0.0.21\*\*.txt' /h2 '~F~e' '~SS ~S|~e|~T|~s'
  data
  docs
  S \\127.0.0.21|2|2|8
  $ keltro sho '\\127.0.0.21' '~SS ~S|~e|~T|~s' '~T~S servers ~e shares'
  S \\127.0.0.21|0|0|0
  1 servers 0 shares

The static list, matched line by line against domain and server pattern at
once when the domain has a wildcard; the directory after the share is the
walk's, whatever the current directory (.22 has no data\sub). The silent
server costs a few seconds, is reported, counted as a server, and the list
goes on.
  $ printf 'WORKGROUP\\\\127.0.0.21\r\nWORKGROUP\\\\127.0.0.23\nOTHER\\\\127.0.0.22\nno-backslash\nWORKGROUP\\\\127.0.0.22\n' > list.txt
  $ mkdir elsewhere && cd elsewhere
  $ SERVERLIST='C:\list.txt' keltro sho 'W*\\127.*\data\sub\*' /v '~SS ~D|~S|~e|~T' '~T~S servers'
  LISTLOOP-INFO, using static list 'C:\list.txt'
  LISTLOOP-INFO, trying WORKGROUP\\127.0.0.21...match
  \\127.0.0.21\data\sub\b.txt
  S WORKGROUP|\\127.0.0.21|1|1
  LISTLOOP-INFO, trying WORKGROUP\\127.0.0.23...match
  2> KELTRO-ERROR, NetShareGetInfo(data) failed, error=53
  S WORKGROUP|\\127.0.0.23|0|0
  LISTLOOP-INFO, trying OTHER\\127.0.0.22...does not match
  LISTLOOP-INFO, trying no-backslash...does not match
  LISTLOOP-INFO, trying WORKGROUP\\127.0.0.22...match
  2> KELTRO-ERROR, cannot go to \\127.0.0.22\data\sub\, error=2
  S WORKGROUP|\\127.0.0.22|1|0
  3 servers
  KELTRO-STATISTICS=           1 files
  KELTRO-STATISTICS=           1 bytes
  KELTRO-STATISTICS=           0 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           1 errors detected
  $ SERVERLIST='C:\missing.txt' keltro sho 'W*\\*\data\*'
  2> LISTLOOP-ERROR, cannot open 'C:\missing.txt', error=2
