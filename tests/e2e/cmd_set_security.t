Owners and access lists set by set /o, /g and /G, read back by sho and by the system's
own tools (getfacl's lines joined into one). Files are given to the test accounts, so
this needs root and those accounts.
Needs: root keltro-alice keltro-bob keltro-staff
Not under Wine: the accounts are the Linux test accounts, named as Samba names them.

/o is expanded for each entry, directories and files alike; the owner line, with the
owner before and after, comes ahead of the set line.
  $ umask 022 && mkdir -p o/alice && touch o/bob
  $ keltro set 'C:\o\*' '/oUnix User\keltro-~N' /y
  KELTRO-INFO, changing owner from Unix User\root to Unix User\keltro-alice
  KELTRO-INFO, setdir: C:\o\alice
  KELTRO-INFO, changing owner from Unix User\root to Unix User\keltro-bob
  KELTRO-INFO, set: C:\o\bob
  KELTRO-STATISTICS=           2 files set
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ keltro sho 'C:\o\*' '~F~N ~o' && stat -c '%n %U:%G' o/alice o/bob
  alice Unix User\keltro-alice
  bob Unix User\keltro-bob
  o/alice keltro-alice:root
  o/bob keltro-bob:root

A group cannot own a file: the layer's message, then the action's line; the action and
the entry count one error each.
  $ keltro set 'C:\o\bob' '/oUnix Group\keltro-staff' /y
  KELTRO-INFO, changing owner from Unix User\keltro-bob to Unix Group\keltro-staff
  SetFileSecurity() for 'C:\o\bob' failed, error=1307
  2> KELTRO-ERROR, cannot set owner to C:\o\bob, error=1307
  KELTRO-STATISTICS=           0 files set
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           2 errors detected

A link has no list of its own: its permission change fails, reported with the owner
change's line, and counts twice too.
  $ ln -s bob o/link && keltro set 'C:\o\link' /gEveryone:R /y && rm o/link
  2> ASEC-ERROR, SetFileSecurity(C:\o\link) failed, error=50
  2> KELTRO-ERROR, cannot set owner to C:\o\link, error=50
  KELTRO-STATISTICS=           0 files set
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           2 errors detected

/g is the whole list of each file, in the order written, a deny entry too; ~g reads it
back as written, getfacl as the closest POSIX ACL. Directories keep theirs.
  $ keltro set 'C:\o\*' '/gEveryone:R Unix User\keltro-bob:F' /y | grep -v STATISTICS
  KELTRO-INFO, setdir: C:\o\alice
  KELTRO-INFO, set: C:\o\bob
  $ keltro sho 'C:\o\*' '~F~N [~g]' && getfacl -c o/bob | xargs
  alice [Unix User\keltro-alice:F Unix Group\root:R \Everyone:R ]
  bob [\Everyone:R Unix User\keltro-bob:F ]
  user::rwx group::--- other::r-x
  $ keltro set 'C:\o\bob' '/gUnix User\keltro-alice:N Everyone:R' /y >/dev/null
  $ keltro sho 'C:\o\bob' '~F[~g]' && getfacl -c o/bob | xargs
  [Unix User\keltro-alice:N \Everyone:R ]
  user::--- user:keltro-alice:--- group::--- mask::--- other::r-x

/G is the list of each directory, as typed; inheritable entries make its default ACL.
  $ keltro set 'C:\o\*' '/GUnix User\keltro-alice:Fcio Everyone:R' /y | grep -v STATISTICS
  KELTRO-INFO, setdir: C:\o\alice
  KELTRO-INFO, set: C:\o\bob
  $ keltro sho 'C:\o\alice' '~F[~g]' && getfacl -c o/alice | xargs
  [Unix User\keltro-alice:Fcio \Everyone:R ]
  user::--- group::--- other::r-x default:user::--- default:user:keltro-alice:rwx default:group::--- default:mask::rwx default:other::---

A /G text is resolved once, for the first directory: an unknown account is reported
there only, and every directory gets the empty list, which lets nobody in.
  $ mkdir -p u/a u/b
  $ keltro set 'C:\u\*' '/Gkeltro-nobody:F' /y
  2> ASEC-ERROR, LookupAccountName(keltro-nobody) failed, error=1332
  2> ASEC-ERROR, cannot map username keltro-nobody, ACE ignored
  KELTRO-INFO, setdir: C:\u\a
  KELTRO-INFO, setdir: C:\u\b
  KELTRO-STATISTICS=           2 files set
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ keltro sho 'C:\u\*' '~F~N ~T' && stat -c '%n %A' u/a u/b
  a 0
  b 0
  u/a d---------
  u/b d---------

A /g text is expanded for each file, and its list built again when the text differs
from the one before; texts are kept up to 1,023 characters. The second pair expands to
more (1,000 blanks between two entries) and differs only in its last entry: each file
still gets its own.
  $ touch u/keltro-alice u/keltro-bob
  $ keltro set 'C:\u\keltro-*' '/gUnix User\~N:F' /y >/dev/null && keltro sho 'C:\u\keltro-*' '~F~N [~g]'
  keltro-alice [Unix User\keltro-alice:F ]
  keltro-bob [Unix User\keltro-bob:F ]
  $ keltro set 'C:\u\keltro-*' '/gEveryone:R ~250D~250D~250D~250DUnix User\~N:F' /y >/dev/null
  $ keltro sho 'C:\u\keltro-*' '~F~N [~g]'
  keltro-alice [\Everyone:R Unix User\keltro-alice:F ]
  keltro-bob [\Everyone:R Unix User\keltro-bob:F ]
