#!/usr/bin/env bash
# Cross-builds keltro.exe with MinGW-w64 against the real Win32 headers, so the
# core never drifts from the Win32 signatures.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j2 --target keltro
echo "windows cross-build: $(ls build-windows/keltro.exe)"
