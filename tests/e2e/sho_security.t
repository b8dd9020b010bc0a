Owners and access-control lists as sho shows and filters them. Files get their
owners with chown, so this needs root.
Needs: root
Not under Wine: owners and lists there are Wine's, not the POSIX ones set up here.

~o is the owner as domain\user, ~x its domain and ~u its user; a uid without
an account reads ERROR\AccountUnknown. Owner lines and the totals count by owner.
  $ mkdir o && touch o/mine o/mine2 o/theirs o/lost && truncate -s 5 o/mine && truncate -s 7 o/theirs
  $ truncate -s 11 o/lost && chown nobody o/theirs && chown 4000000 o/lost
  $ keltro sho 'C:\o\*' '~F~-7N~o|~x|~u'
  lost   ERROR\AccountUnknown|ERROR|AccountUnknown
  mine   Unix User\root|Unix User|root
  mine2  Unix User\root|Unix User|root
  theirs Unix User\nobody|Unix User|nobody
  $ keltro sho 'C:\o\*' '~F' '~o~o: ~T files, ~s bytes' '~T~T files, ~o owners'
  ERROR\AccountUnknown: 1 files, 11 bytes
  Unix User\root: 2 files, 5 bytes
  Unix User\nobody: 1 files, 7 bytes
  4 files, 3 owners

-o matches the owner text, without regard to case.
  $ keltro sho 'C:\o\*' '-o*\root' '~F~N'
  mine
  mine2
  $ keltro sho 'C:\o\*' '-oerror\*' '~F~N'
  lost

~g is the list as text, one "domain\name:right" and a space per entry, and ~T
counts them: the owner, each named user and group of the POSIX ACL, the group
and Everyone for the others; a class without permissions has no entry. rwx
reads F, r-x R, other sets their mask. A named uid without an account reads
\AccountUnknown, after the two messages saying so.
  $ umask 022 && mkdir g && touch g/acl g/open g/shut && chmod 755 g/open && chmod 000 g/shut
  $ setfacl -m u:nobody:r-x,u:4000001:rw g/acl
  $ keltro sho 'C:\g\*' '~F~-5N~T [~g]'
  2> ASEC-ERROR, SID unknown
  2> ASEC-ERROR, cannot resolve SID for ACE[2]
  acl  5 [Unix User\root:0x0012019F Unix User\nobody:R \AccountUnknown:0x0012019F Unix Group\root:0x00120089 \Everyone:0x00120089 ]
  open 3 [Unix User\root:F Unix Group\root:R \Everyone:R ]
  shut 0 []

The per-entry format prints one line per entry; ~o, ~x and ~u are its
account, ~g its right. An account name may hold a space.
  $ keltro sho 'C:\g\acl' '~F~N' '~g  ~-17o ~x|~u|~g' 2>/dev/null
  acl
    Unix User\root    Unix User|root|0x0012019F
    Unix User\nobody  Unix User|nobody|R
    \AccountUnknown   |AccountUnknown|0x0012019F
    Unix Group\root   Unix Group|root|0x00120089
    \Everyone         |Everyone|0x00120089

-g matches the list's text, -T its number of entries.
  $ keltro sho 'C:\g\*' '-g*Everyone:R*' '~F~N'
  2> ASEC-ERROR, SID unknown
  2> ASEC-ERROR, cannot resolve SID for ACE[2]
  open
  $ keltro sho 'C:\g\*' '-T0' '~F~N'
  2> ASEC-ERROR, SID unknown
  2> ASEC-ERROR, cannot resolve SID for ACE[2]
  shut
  $ keltro sho 'C:\g\*' '-T3:' '~F~N ~T' 2>/dev/null
  acl 5
  open 3

/o resolves the name once for a run of entries and gives each the owner; a
name that fails is looked up again, with its messages, for every entry.
  $ keltro set 'C:\o\mine*' /onobody /y >/dev/null && keltro sho 'C:\o\mine*' '~F~N ~o'
  mine Unix User\nobody
  mine2 Unix User\nobody
  $ keltro set 'C:\o\mine*' /onosuch /y 2>&1 | grep -v STATISTICS
  KELTRO-INFO, changing owner from Unix User\nobody to nosuch
  2> ASEC-ERROR, LookupAccountName(nosuch) failed, error=1332
  2> KELTRO-ERROR, cannot set owner to C:\o\mine, error=1332
  KELTRO-INFO, changing owner from Unix User\nobody to nosuch
  2> ASEC-ERROR, LookupAccountName(nosuch) failed, error=1332
  2> KELTRO-ERROR, cannot set owner to C:\o\mine2, error=1332
