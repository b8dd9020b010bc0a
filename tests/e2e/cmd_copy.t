cop into a missing nested target: each missing level is asked for, the outermost first.
  $ mkdir -p src/sub && printf 1234 > src/one.txt && printf 12 > src/sub/two.txt
  $ touch -d '2024-03-01 12:00' src/one.txt src/sub/two.txt
  $ printf 'y\ny\nA\ny\n' | keltro cop 'C:\src\*.txt' 'C:\t1\a\b'
  2> KELTRO-ERROR, DirExists(C:\t1\a\b\) failed, error=3
  2> KELTRO-ERROR, DirExists(C:\t1\a) failed, error=3
  Create C:\t1 ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, created C:\\t1 (esc)
  Create C:\t1\a ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, created C:\\t1\\a (esc)
  Create C:\t1\a\b\ ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, created C:\\t1\\a\\b\\ (esc)
  Copy C:\src\one.txt to C:\t1\a\b\ ?
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-INFO, copy: C:\\src\\one.txt -> C:\\t1\\a\\b\\ (esc)
  KELTRO-STATISTICS=           1 files in source
  KELTRO-STATISTICS=           4 bytes in source
  KELTRO-STATISTICS=           0 subdirectories in source
  KELTRO-STATISTICS=           1 files copied
  KELTRO-STATISTICS=           4 bytes copied
  KELTRO-STATISTICS=           3 directories created
  KELTRO-STATISTICS=           0 protections replaced
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected

A declined target level ends the run at once with the code of a cancelled operation (1223, which
a POSIX exit status shows modulo 256), before any walk; the inner levels fail without a word.
  $ printf 'n\n' | keltro cop 'C:\src\*.txt' 'C:\t9\x'
  2> KELTRO-ERROR, DirExists(C:\t9\x\) failed, error=3
  Create C:\t9 ?
  \x07N=no/Y=yes/A=yes to all (Default:N)  (esc) (no-eol)
  [199]

cop replaces what the target holds, after the replace question (target first, then source).
  $ printf 99999 > t1/a/b/one.txt && touch -d '2024-01-01 08:30' t1/a/b/one.txt
  $ printf 'n\n' | keltro cop 'C:\src\one.txt' 'C:\t1\a\b' | grep -v '= *0 '
  Replace
  \tC:\\t1\\a\\b\\one.txt (esc)
  \t5 Bytes (esc)
  \t01.01.2024 08:29 (esc)
  with
  \tC:\\src\\one.txt (esc)
  \t4 Bytes (esc)
  \t01.03.2024 12:00 (esc)
  \x07N=no/Y=yes/A=yes to all (Default:N) KELTRO-STATISTICS=           1 files in source (esc)
  KELTRO-STATISTICS=           4 bytes in source
  KELTRO-STATISTICS=           1 actions skipped

Under /y a file the target holds is replaced, the others copied.
  $ mkdir t3 && printf old > t3/one.txt
  $ keltro cop 'C:\src\*' 'C:\t3' /S /y | grep -v STATISTICS; cat t3/one.txt
  KELTRO-INFO, replace: C:\t3\one.txt
  KELTRO-INFO, created C:\t3\sub\
  KELTRO-INFO, replace attributes: C:\t3\sub\
  KELTRO-INFO, copy: C:\src\sub\two.txt -> C:\t3\sub\
  1234 (no-eol)

upd creates missing subdirectories but no missing file; it replaces a file whose time differs.
  $ mkdir u && printf old > u/one.txt
  $ keltro upd 'C:\src\*' 'C:\u' /S /y
  KELTRO-INFO, replace: C:\u\one.txt
  KELTRO-INFO, created C:\u\sub\
  KELTRO-INFO, replace attributes: C:\u\sub\
  KELTRO-STATISTICS=           3 files in source
  KELTRO-STATISTICS=           6 bytes in source
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           0 files copied
  KELTRO-STATISTICS=           4 bytes copied
  KELTRO-STATISTICS=           1 files replaced
  KELTRO-STATISTICS=           0 files deleted
  KELTRO-STATISTICS=           4 bytes deleted
  KELTRO-STATISTICS=           1 directories created
  KELTRO-STATISTICS=           0 directories removed
  KELTRO-STATISTICS=           0 protections replaced
  KELTRO-STATISTICS=           1 attributes replaced
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected

mir copies what is missing and replaces a file whose time differs, either way unless /T (then
only an older target); times 2 ms apart within one step of 6.5536 ms are equal.
  $ mkdir ms mt && touch ms/a ms/b ms/c && touch -d '2024-03-01 12:00' ms/a ms/b
  $ touch -d '2024-03-01 12:00:00.002' mt/a && touch -d '2025-01-01' mt/b
  $ keltro mir 'C:\ms\*' 'C:\mt' /T /y | grep -v STATISTICS
  KELTRO-INFO, copy: C:\ms\c -> C:\mt\
  $ keltro mir 'C:\ms\*' 'C:\mt' /y | grep -v STATISTICS
  KELTRO-INFO, replace: C:\mt\b

mir /d deletes what the source lacks, whole subtrees with /S, whatever the patterns
say; a name the source holds in another case is kept.
  $ mkdir -p m/gone/deep && touch m/gone/deep/x m/extra.txt m/ONE.TXT
  $ keltro mir 'C:\src\*.doc' 'C:\m' /S /d /y | grep -v '= *0 '
  KELTRO-INFO, created C:\m\sub\
  KELTRO-INFO, replace attributes: C:\m\sub\
  KELTRO-INFO, delete: C:\m\extra.txt
  KELTRO-INFO, delete: C:\m\gone\deep\x
  KELTRO-INFO, remove: C:\m\gone\deep\
  KELTRO-INFO, remove: C:\m\gone\
  KELTRO-STATISTICS=           1 subdirectories in source
  KELTRO-STATISTICS=           2 files deleted
  KELTRO-STATISTICS=           1 directories created
  KELTRO-STATISTICS=           2 directories removed
  KELTRO-STATISTICS=           1 attributes replaced
  $ find m | sort
  m
  m/ONE.TXT
  m/sub

A target directory swapped for a link during the run is not followed: the file outside survives.
  $ mkdir -p s2/a/b t2/a/b outside/b && touch s2/a/b/new.txt outside/b/victim.txt
  $ coproc K { keltro mir 'C:\s2\*' 'C:\t2' /S /d 2>&1; }  # not under Wine: Wine does not give Unix links as reparse points
  > exec {in}>&"${K[1]}" {out}<&"${K[0]}"
  > while IFS= read -r line <&$out; do case $line in
  >   *"Copy "*) mv t2/a moved && ln -s "$T/outside" t2/a && echo n >&$in;;
  >   *"Delete "*) echo y >&$in;; esac; done
  > ls outside/b
  victim.txt
The same before a copy: the copy fails, and nothing is written outside.
  $ rm t2/a && mv moved t2/a  # not under Wine: as above
  $ coproc K { keltro cop 'C:\s2\*' 'C:\t2' /S 2>&1; }  # not under Wine: as above
  > exec {in}>&"${K[1]}" {out}<&"${K[0]}"
  > while IFS= read -r line <&$out; do case $line in
  >   *"Copy "*) mv t2/a moved && ln -s "$T/outside" t2/a && echo y >&$in;;
  >   *ERROR*) echo "${line#*) }";; esac; done
  > ls outside/b moved/b
  2> KELTRO-ERROR, cannot copy C:\s2\a\b\new.txt to C:\t2\a\b\, error=3
  moved/b:
  
  outside/b:
  victim.txt

A target that is the source or lies inside it is refused before anything is made, also when
another drive or a link leads into the source.
  $ keltro cop 'C:\src\*' 'C:\SRC\sub\new'
  2> KELTRO-ERROR, target path lies inside the source
  [87]
  $ KELTRO_DRIVES="C=$T;D=$T/src" keltro mir 'C:\src\*' 'D:\x' /d  # not under Wine: drives are Wine's own
  2> KELTRO-ERROR, target path lies inside the source
  [87]
  $ ln -s src lnk && keltro cop 'C:\src\*' 'C:\lnk\x'
  2> KELTRO-ERROR, target path lies inside the source
  [87]
  $ ls src
  one.txt
  sub

A subtree too deep for the removal's path is reported and left in place, and so are the levels above it.
  $ n=$(printf 'n%.0s' $(seq 250)); mkdir -p "deep/t/gone/$n/$n/z" deep/s && touch deep/t/gone/f
  $ keltro mir 'C:\deep\s\*' 'C:\deep\t' /S /d /y 2>&1 | sed "s/$n/N/g" | grep -v '= *0 '; find deep/t | sed "s/$n/N/g"  # not under Wine: Wine enters no path of 260 characters
  KELTRO-INFO, delete: C:\deep\t\gone\f
  2> KELTRO-ERROR, path too long: 'C:\deep\t\gone\N\N\'
  2> KELTRO-ERROR, cannot remove C:\deep\t\gone\N\, error=145
  2> KELTRO-ERROR, cannot remove C:\deep\t\gone\, error=145
  KELTRO-STATISTICS=           1 files deleted
  KELTRO-STATISTICS=           3 errors detected
  deep/t
  deep/t/gone
  deep/t/gone/N
  deep/t/gone/N/N
  deep/t/gone/N/N/z

A FIFO in the source is not copied and never opened, and its refusal takes no target directory over.
  $ mkdir -p fs && mkfifo fs/pipe && keltro cop 'C:\fs\*' 'C:\ft' /y 2>&1 | grep -v '= *0 '; stat -c %A ft  # not under Wine: Windows directories hold no FIFO
  KELTRO-INFO, created C:\ft\
  2> KELTRO-ERROR, cannot copy C:\fs\pipe to C:\ft\, error=50
  KELTRO-STATISTICS=           1 files in source
  KELTRO-STATISTICS=           1 directories created
  KELTRO-STATISTICS=           1 errors detected
  drwxr-xr-x

A copy has its source's mode, also where the umask or a default ACL of the target directory would give
a new file another.
  $ mkdir -p ms/d mt/d && touch ms/f ms/d/g && chmod 644 ms/f ms/d/g && setfacl -d -m u::rwx,g::-,o::- mt/d  # not under Wine: modes are POSIX's
  $ (umask 022 && keltro cop 'C:\ms\*' 'C:\mt' /S /y && umask 077 && keltro cop 'C:\ms\f' 'C:\mu' /y) >/dev/null  # not under Wine: as above
  $ stat -c '%a %n' mt/f mt/d/g mu/f  # not under Wine: as above
  644 mt/f
  644 mt/d/g
  644 mu/f

The extended attributes of a file come with its copy, also in a walk that lists files without any.
  $ mkdir xs && touch xs/a xs/b xs/c && setfattr -n user.stream -v v xs/b  # not under Wine: attributes are POSIX's
  $ keltro cop 'C:\xs\*' 'C:\xt' /y >/dev/null && getfattr -d xt/* | grep .  # not under Wine: as above
  # file: xt/b
  user.stream="v"
