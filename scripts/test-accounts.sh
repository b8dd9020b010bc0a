#!/usr/bin/env bash
# Creates the accounts the owner and permission tests name: the group
# keltro-staff and the users keltro-alice and keltro-bob in it, without home
# directories. Run as root it makes what is missing and leaves what is there;
# otherwise it says so and changes nothing (the tests that need the accounts
# are then reported as skipped).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "test-accounts: not root, keltro-alice, keltro-bob and keltro-staff not created; their tests are skipped" >&2
  exit 0
fi
groupadd -f keltro-staff
for user in keltro-alice keltro-bob; do
  id "$user" >/dev/null 2>&1 || useradd -M -N -g keltro-staff "$user"
done
