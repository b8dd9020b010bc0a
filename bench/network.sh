#!/usr/bin/env bash
# Times keltro's walk of a share on a loopback SMB server against smbclient's
# recursive listing of the same share, in the same run:
#
#   keltro sho \\ADDRESS\data\* /S ~F"~f ~s"   against  smbclient //ADDRESS/data -N -c "recurse; ls"
#
#   bench/network.sh [KELTRO_BINARY] [WORK_DIR]
#
# The share holds a tree of 20,000 sparse files in 400 directories, built in
# WORK_DIR (default /tmp/keltro-bench) and kept between runs; the server is a
# test server of tests/support/smb-servers on ADDRESS (default 127.0.0.2),
# stopped when the script ends. RUNS sets the number of pairs of runs. Needs
# root, smbd and smbclient (bash scripts/install-deps.sh net).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
keltro=$(realpath "${1:-$here/../build/keltro}")
work=$(realpath -m "${2:-/tmp/keltro-bench}")
runs=${RUNS:-5}
address=${ADDRESS:-127.0.0.2}
servers=$here/../tests/support/smb-servers

[ -x "$keltro" ] || { echo "no keltro binary at $keltro" >&2; exit 1; }
command -v smbclient >/dev/null || { echo "bench/network.sh needs smbclient and smbd (scripts/install-deps.sh net)" >&2; exit 1; }

mkdir -p "$work"
tree=$work/n20k
python3 "$here/make_tree.py" "$tree" 20000 400

"$servers" stop "$work/smb"
"$servers" start "$work/smb" "$address" "data:path = $tree"
trap '"$servers" stop "$work/smb"' EXIT

export TZ=UTC LC_ALL=C.UTF-8 HOME=$work/smb/client
out=$work/network
mkdir -p "$out"
. "$here/timing.sh"

k_share() { "$keltro" sho "\\\\$address\\data\\*" /S '~F~f ~s' >"$out/k_share" 2>>"$out/errors"; }
s_share() { smbclient "//$address/data" -N -c 'recurse; ls' >"$out/s_share" 2>/dev/null; }

: >"$out/errors"
echo "$runs pairs, keltro and peer in turn; medians, and ratio = median of keltro / peer per pair (target: 1.00)"
echo "n20k ($(find "$tree" -type f | wc -l) files) on the share data of $address"
compare "share walk" k_share s_share 'smbclient recurse; ls' n20k

# keltro lists every file and directory below the share's root once.
entries=$(find "$tree" -mindepth 1 | wc -l)
[ "$(wc -l <"$out/k_share")" = "$entries" ] ||
  echo "  CHECK FAILED: lines of keltro: expected $entries, found $(wc -l <"$out/k_share")"
[ ! -s "$out/errors" ] || echo "  CHECK FAILED: keltro printed errors: $(head -3 "$out/errors")"
echo "checks of keltro's listing done"
