#!/usr/bin/env bash
# Builds keltro, runs every test, and cross-builds it for Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bash scripts/test-accounts.sh
(cd build && ctest --output-on-failure -j2)
bash scripts/build-windows.sh
