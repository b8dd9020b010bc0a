Sizes: -s takes inclusive ranges of the low 32 size bits; directories are 0.
  $ mkdir -p s/dir && touch s/zero && truncate -s 10 s/ten && truncate -s 20 s/twenty && truncate -s 21 s/twentyone
  $ keltro sho 'C:\s\*' '-s10:20' '~F~N ~s'
  ten 10
  twenty 20
  $ keltro sho 'C:\s\*' '-s0:0' '~F~N'
  dir
  zero
  $ keltro sho 'C:\s\*' '-s21:,0' '~F~N'
  dir
  twentyone
  zero

5 GiB and 5,000,000,000 bytes count by their low 32 bits in ~s, sums and statistics.
  $ mkdir big && truncate -s 5G big/huge && truncate -s 5000000000 big/large
  $ keltro sho 'C:\big\*' '~F~N ~s'
  huge 1,073,741,824
  large 705,032,704
  $ keltro sho 'C:\big\*' '~F' '~T~s bytes' /v
  1,778,774,528 bytes
  KELTRO-STATISTICS=           2 files
  KELTRO-STATISTICS=  1778774528 bytes
  KELTRO-STATISTICS=           0 subdirectories
  KELTRO-STATISTICS=           0 files taken
  KELTRO-STATISTICS=           0 actions skipped
  KELTRO-STATISTICS=           0 errors detected

3,000,000,000 bytes is negative in 32 bits: it fails a lower bound.
  $ truncate -s 3000000000 big/three
  $ keltro sho 'C:\big\three' '-s1000:' '~F~N'
  $ keltro sho 'C:\big\three' '-s-1294967296' '~F~N ~s'
  three (1,294,967,296)

Attributes R H S A C D: dot names are hidden, files without a write bit read-only.
  $ mkdir -p a/.hdir && touch a/.hfile a/plain a/ro && chmod a-w a/ro
  $ keltro sho 'C:\a\*' '~F~a ~N'
  .H...D .hdir
  .H.A.. .hfile
  ...A.. plain
  R..A.. ro
  $ keltro sho 'C:\a\*' '-a*H*' '~F~N'
  .hdir
  .hfile
  $ keltro sho 'C:\a\*' '-a*h*.' '~F~N'
  .hfile
  $ keltro sho 'C:\a\*' '-ar*' '~F~N'
  ro
  $ keltro sho 'C:\a\*' '-a*H*' '~F' '~T~T files'
  2 files

user.DOSATTRIB gives hidden, system and archive.
  $ mkdir sa && touch sa/sys sa/plain sa/.dot sa/hs && setfattr -n user.DOSATTRIB -v '"0x4"' sa/sys
  $ setfattr -n user.DOSATTRIB -v '"0x20"' sa/.dot && setfattr -n user.DOSATTRIB -v '"0x6"' sa/hs
  $ keltro sho 'C:\sa\*' '~F~a ~N'  # not under Wine: Wine adds the archive bit to user.DOSATTRIB
  ...A.. .dot
  .HS... hs
  ...A.. plain
  ..S... sys

-M keeps modified at or before, +M at or after; an upside-down window takes nothing.
  $ mkdir t && touch -d '2024-12-24 10:00:00' t/early && touch -d '2024-12-24 18:30:00' t/late
  $ keltro sho 'C:\t\*' "-M24.12.2024 10:00" '~F~N ~M'
  early 24.12.2024 10:00
  $ keltro sho 'C:\t\*' "+M24.12.2024 18:30" '~F~N'
  late
  $ keltro sho 'C:\t\*' "+M24.12.2024 10:00:00:001" "-M24.12.2024 18:30" '~F~N'
  late
  $ keltro sho 'C:\t\*' '+M24.12.2024' '-M25.12.2024' '~F~N'
  early
  late
  $ keltro sho 'C:\t\*' '+M25.12.2024' '-M24.12.2024' '~F~N'
  $ keltro sho 'C:\t\*' '-Mnever' '~F~N'
  early
  late

Times d.m.y or m/d/y h:m:s:ms, 31 characters read; d and D count back and ahead from now.
  $ for t in '12/24/2024 10:00' '24.12.2024 10:0:0:0:5' '24.12.2024.7 10:' '24.12.2024 10:00:00:000:00000000x'
  > do keltro sho 'C:\t\*' "+M$t" "-M$t" '~F~N'; done
  early
  early
  early
  early
  $ mkdir r && touch r/now && keltro sho 'C:\r\*' '+Md1' '-MD0:1' '~F~N'
  now

File times are compared in local time: 10:00 UTC is 11:00 an hour east.
  $ TZ=XYZ-1 keltro sho 'C:\t\*' "-M24.12.2024 11:00" '~F~N ~M'
  early 24.12.2024 11:00
  $ TZ=XYZ-1 keltro sho 'C:\t\*' "-M24.12.2024 10:59" '~F~N ~M'

-L and -C test the access and creation times the same way.
  $ touch -a -d '2020-01-01 00:00:00' t/early
  $ keltro sho 'C:\t\*' '-L1.1.2020' '~F~N ~L'
  early 01.01.2020 00:00
  $ keltro sho 'C:\t\*' '+L1.1.2020' "-L1.1.2020 0:00:00:001" '~F~N'
  early
  $ keltro sho 'C:\t\*' '-C1.1.2000' '~F~N'

Totals or owner formats tally taken files by owner (the tree has one).
  $ keltro sho 'C:\s\*' '-s10:20' '~F' '~o~i:~T:~s' '~T~T files, ~o owners, ~s bytes'  # not under Wine: Wine prints a zero as nothing
  0:2:30
  2 files, 1 owners, 30 bytes
  $ keltro sho 'C:\s\*' '-s10:20' '~F' '~T~o owners'
  1 owners
