#!/usr/bin/env bash
# Builds TARVIN and runs every test: the portable layer natively, the Windows
# layer and TARVIN.exe itself under Wine, on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-debian-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

# The Wine prefix is made before the tests, so that its making counts against no test's time.
tests/run-in-wine.sh build/win32/wineprefix
# Wine's processes end before the virtual display does.
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  ctest --test-dir build --output-on-failure -j2; status=$?
  WINEPREFIX="$PWD/build/win32/wineprefix" wineserver -k 2>/dev/null
  exit $status'
