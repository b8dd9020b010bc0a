#!/usr/bin/env bash
# Installs what keltro needs to build and test on Debian 12, asking apt-get
# only for packages that are missing (so a machine that has them needs no
# root). Optional groups for CI: `fuzz` (clang's libFuzzer), `wine` (runs
# keltro.exe), e.g. `bash scripts/install-deps.sh fuzz wine`; `bench`
# (rsync, the peer of bench/changing.sh, and gcc for its C floor); and `net`
# (Samba's smbd for the tests' loopback servers, and smbclient). Packages
# are installed with no service started (a policy-rc.d refusing every start
# while apt-get runs).
set -euo pipefail
packages=(
  cmake ninja-build g++ make pkg-config   # the build
  libsmbclient-dev                        # UNC paths and the network calls
  libgtest-dev googletest                 # unit tests
  python3                                 # the transcript runner
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the Windows cross-build
  attr acl                                # getfattr/setfattr, getfacl/setfacl for the tests
  locales                                 # a legacy 8-bit locale for code-page tests
  time findutils                          # benchmarks
)
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    wine) packages+=(wine wine64) ;;
    bench) packages+=(rsync gcc) ;;
    net) packages+=(samba samba-vfs-modules smbclient) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else echo "install-deps: not root; please run: $*" >&2; return 1
  fi
}
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Keeps package scripts from starting daemons (smbd would take port 445 from
# the tests' servers): invoke-rc.d asks /usr/sbin/policy-rc.d, and 101 means
# "not allowed". Only a policy this script made is removed again.
policy=/usr/sbin/policy-rc.d
remove_policy() { as_root rm -f "$policy"; }
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | as_root tee "$policy" > /dev/null
    as_root chmod 755 "$policy"
    trap remove_policy EXIT
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A Western European 8-bit locale, for the code-page tests (only they need it).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.iso88591$'; then
  if [ "$(id -u)" -eq 0 ]; then
    sed -i 's/^# *\(de_DE ISO-8859-1\)/\1/' /etc/locale.gen
    grep -q '^de_DE ISO-8859-1' /etc/locale.gen || echo 'de_DE ISO-8859-1' >> /etc/locale.gen
    locale-gen >/dev/null
  else
    echo "install-deps: locale de_DE.ISO-8859-1 missing; the code-page tests need it (root: locale-gen)" >&2
  fi
fi
