Needs: smb
Servers and shares found through the network: a share wildcard lists the
server's shares, the hidden-share levels, the per-server line, and a static
server list whose silent server costs seconds and ends only its own visit.
  $ smb-servers start $T/smb 127.0.0.2 data 'users$'
  $ smb-servers start $T/smb 127.0.0.3 data
  $ export HOME=$T/smb/client && S2=$T/smb/127.0.0.2/shares S3=$T/smb/127.0.0.3/shares
  $ printf 1 > $S2/data/a.txt && printf 22 > "$S2/users\$/u.txt" && printf 333 > $S3/data/c.txt
  $ keltro sho '\\127.0.0.2\*\*' '~F~f' '~S~S: ~e shares, ~T files, ~s bytes'
  \\127.0.0.2\data\a.txt
  \\127.0.0.2\users$\u.txt
  \\127.0.0.2: 2 shares, 2 files, 3 bytes
  $ keltro sho '\\127.0.0.2\*\*' /h2 '~F~f' '~S~S: ~e shares, ~T files, ~s bytes'
  \\127.0.0.2\data\a.txt
  \\127.0.0.2: 1 shares, 1 files, 1 bytes
  $ keltro sho '\\127.0.0.2\IPC$\*' /h0 '~S~S: ~e shares'
  \\127.0.0.2: 0 shares
  $ keltro sho '\\127.0.0.2\nothere\*' '~S~S: ~e shares'
  2> KELTRO-ERROR, NetShareGetInfo(nothere) failed, error=2310
  \\127.0.0.2: 0 shares

Without a domain part the list is read for the workstation's domain, the
workgroup of the client's configuration: only lines of that domain match. A
server that accepts and never answers fails its share after the client's
timeout, and the list goes on with the next line.
  $ printf 'WORKGROUP\\\\127.0.0.3\nOTHER\\\\127.0.0.2\nWORKGROUP\\\\127.0.0.2\n' > list
  $ smb-servers pause $T/smb 127.0.0.3
  $ SERVERLIST=list keltro sho '\\*\data\*.txt' /v '~F~f' '~S~S: ~T files'
  LISTLOOP-INFO, using static list 'list'
  LISTLOOP-INFO, trying WORKGROUP\\127.0.0.3...match
  2> KELTRO-ERROR, NetShareGetInfo(data) failed, error=53
  \\127.0.0.3: 0 files
  LISTLOOP-INFO, trying OTHER\\127.0.0.2...does not match
  LISTLOOP-INFO, trying WORKGROUP\\127.0.0.2...match
  \\127.0.0.2\data\a.txt
  \\127.0.0.2: 1 files
  KELTRO-STATISTICS=           1 files
  KELTRO-STATISTICS=           1 bytes
  KELTRO-STATISTICS=           0 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ SERVERLIST=missing keltro sho '\\*\data\*.txt'
  2> LISTLOOP-ERROR, cannot open 'missing', error=2
