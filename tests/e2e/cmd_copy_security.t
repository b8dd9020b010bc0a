/P gives each target the owner, group and access list of its source; a target that is
kept, or a target directory that was there, is compared first and changed only where
they differ. The sources belong to the test accounts, so this needs root and those.
Needs: root keltro-alice keltro-bob keltro-staff
Not under Wine: the accounts are the Linux test accounts, named as Samba names them.

A file copied and a directory just made get the source's security, each counted once.
  $ umask 022 && mkdir -p src/sub && printf 1 > src/a && printf 22 > src/sub/b
  $ chown keltro-alice:keltro-staff src/a src/sub && setfacl -m u:keltro-bob:r src/a
  $ keltro cop 'C:\src\*' 'C:\dst' /S /P /y
  KELTRO-INFO, created C:\dst\
  KELTRO-INFO, copy: C:\src\a -> C:\dst\
  KELTRO-INFO, replace security: C:\dst\a
  KELTRO-INFO, created C:\dst\sub\
  KELTRO-INFO, replace attributes: C:\dst\sub\
  KELTRO-INFO, replace security: C:\dst\sub\
  KELTRO-INFO, copy: C:\src\sub\b -> C:\dst\sub\
  KELTRO-INFO, replace security: C:\dst\sub\b
  KELTRO-STATISTICS=           3 files in source
  KELTRO-STATISTICS=           3 bytes in source
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           2 files copied
  KELTRO-STATISTICS=           3 bytes copied
  KELTRO-STATISTICS=           2 directories created
  KELTRO-STATISTICS=           3 protections replaced
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected
  $ stat -c '%n %U:%G' dst/a dst/sub dst/sub/b && getfacl -c dst/a | xargs
  dst/a keltro-alice:keltro-staff
  dst/sub keltro-alice:keltro-staff
  dst/sub/b root:root
  user::rw- user:keltro-bob:r-- group::r-- mask::r-- other::r--

cop replaces every file, so each gets the source's security again; the directory, equal
to its source, is left alone.
  $ keltro cop 'C:\src\*' 'C:\dst' /S /P /y | grep -v '= *0 '
  KELTRO-INFO, replace: C:\dst\a
  KELTRO-INFO, replace security: C:\dst\a
  KELTRO-INFO, replace: C:\dst\sub\b
  KELTRO-INFO, replace security: C:\dst\sub\b
  KELTRO-STATISTICS=           3 files in source
  KELTRO-STATISTICS=           3 bytes in source
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           3 bytes copied
  KELTRO-STATISTICS=           2 protections replaced

Kept files and existing directories equal to their sources: no line, nothing counted.
  $ keltro mir 'C:\src\*' 'C:\dst' /S /P /y
  KELTRO-STATISTICS=           3 files in source
  KELTRO-STATISTICS=           3 bytes in source
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           0 files copied
  KELTRO-STATISTICS=           0 bytes copied
  KELTRO-STATISTICS=           0 files replaced
  KELTRO-STATISTICS=           0 files deleted
  KELTRO-STATISTICS=           0 bytes deleted
  KELTRO-STATISTICS=           0 directories created
  KELTRO-STATISTICS=           0 directories removed
  KELTRO-STATISTICS=           0 protections replaced
  KELTRO-STATISTICS=           0 attributes replaced
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected

Only a target changed since is given its source's security again.
  $ chown keltro-bob dst/sub && setfacl -m u:keltro-alice:rw dst/sub/b
  $ keltro upd 'C:\src\*' 'C:\dst' /S /P /y | grep -v '= *0 '
  KELTRO-INFO, replace security: C:\dst\sub\
  KELTRO-INFO, replace security: C:\dst\sub\b
  KELTRO-STATISTICS=           3 files in source
  KELTRO-STATISTICS=           3 bytes in source
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           2 protections replaced
  $ stat -c '%n %U:%G' dst/sub && getfacl -c dst/sub/b | xargs
  dst/sub keltro-alice:keltro-staff
  user::rw- group::r-- other::r--

A kept target that is a link has no list of its own: applying the source's fails and
counts one error; the attributes still follow.
  $ mkdir p q && touch -d '2024-01-01 10:00' p/x && ln -s "$T/p/x" q/x && touch -h -d '2024-01-01 10:00' q/x
  $ keltro mir 'C:\p\*' 'C:\q' /P /y | grep -v '= *0 '
  2> KELTRO-ERROR, SetFileSecurity(C:\q\x) failed, error=50
  KELTRO-INFO, replace attributes: C:\q\x
  KELTRO-STATISTICS=           1 files in source
  KELTRO-STATISTICS=           1 attributes replaced
  KELTRO-STATISTICS=           1 errors detected
