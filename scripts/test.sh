#!/usr/bin/env bash
# Builds TARVIN and runs every test: the portable layer natively; TARVIN.exe,
# built as it ships, under Wine on a virtual display, on 64-bit Windows (and
# 32-bit Windows where this machine runs 32-bit programs); the release build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-debian-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

# The Wine prefixes are made before the tests, so that their making counts
# against no test's time. Without the 64-bit prefix no Windows test can run:
# run-in-wine.sh has said why. Where 32-bit Windows cannot run, its test says so.
prefixes=(--wow64 build/win32/wineprefix)
scripts/run-in-wine.sh "${prefixes[@]}" || { echo "The Windows tests cannot run here." >&2; exit 1; }
if scripts/run-in-wine.sh --win32 build/win32/wineprefix32; then
  prefixes+=(--win32 build/win32/wineprefix32)
fi
# One Wine server a prefix for the whole run, rather than one a test. Wine's
# own processes keep the output of the command that started them open for as
# long as they run: started by one whose output goes nowhere, they hold up
# no test. They all end before the virtual display does.
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  each_prefix() {
    command=$1; shift
    while [ $# -gt 0 ]; do "$command" "$1" "$2"; shift 2; done
  }
  start() { WINEPREFIX="$PWD/$2" wineserver -p >/dev/null 2>&1; scripts/run-in-wine.sh "$1" "$2" cmd /c exit >/dev/null 2>&1; }
  stop() { WINEPREFIX="$PWD/$2" wineserver -k 2>/dev/null || true; }
  trap "each_prefix stop $*" EXIT
  each_prefix start "$@"
  ctest --test-dir build --output-on-failure -j2 -E window_screenshot; status=$?
  # The pictures end every Wine process of the prefix, its server too: last.
  ctest --test-dir build --output-on-failure -R window_screenshot || status=$?
  exit $status' sh "${prefixes[@]}"
