#!/usr/bin/env bash
# Installs everything keltro needs to build and test on Debian 12 (run as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ make pkg-config   # the build
  libgtest-dev googletest                 # unit tests
  python3                                 # the transcript runner
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the Windows cross-build
  attr acl libacl1-dev libattr1-dev       # extended attributes and ACLs
  locales                                 # a legacy 8-bit locale for code-page tests
  time findutils                          # benchmarks
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A Western European 8-bit locale, for the code-page tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.iso88591$'; then
  sed -i 's/^# *\(de_DE ISO-8859-1\)/\1/' /etc/locale.gen
  grep -q '^de_DE ISO-8859-1' /etc/locale.gen || echo 'de_DE ISO-8859-1' >> /etc/locale.gen
  locale-gen >/dev/null
fi
