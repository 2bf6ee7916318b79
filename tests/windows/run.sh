#!/usr/bin/env bash
# Cross-builds the Windows test program into BUILD_DIR and runs it under Wine, in a fresh
# private Wine prefix that is removed afterwards.
#   tests/windows/run.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1

cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" >/dev/null
cmake --build "$out"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/zel-wine-XXXXXX")
export WINEPREFIX=$prefix WINEDEBUG=-all
# Wine takes the ANSI code page from the locale; no Mono or Gecko installs in a test prefix.
export LC_ALL=C WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$prefix"; }
trap cleanup EXIT

wineboot --init >/dev/null 2>&1
wineserver -w
wine "$out/tst_windows.exe" "Z:${out//\//\\}\\marker.exe"
