#!/usr/bin/env bash
# Builds TARVIN.exe as it ships and opens it under Wine on a demo registry:
# sample QIRA entries under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, in a
# 64-bit Wine prefix of its own (build/demo/wineprefix), seeded afresh on
# every run, where TARVIN runs under WoW64 as on its users' PCs.
# With a display, the window opens there. Without one, TARVIN runs on a virtual
# display and a screenshot is saved to build/demo/tarvin.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-debian-packages.sh
export demo=$PWD/build/demo wine_run=$PWD/scripts/run-in-wine.sh screenshot=$PWD/scripts/window-screenshot.sh
scripts/release-build.sh "$demo/tarvin"

# Wine sees the Unix file system as drive Z:. The machine's entries go where
# TARVIN, a 32-bit program, sees them.
"$wine_run" --wow64 "$demo/wineprefix" reg import "Z:${PWD//\//\\}\\scripts\\demo-registry.reg" /reg:32 >/dev/null
cd "$demo/tarvin/bin"

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_run" --wow64 "$demo/wineprefix" TARVIN.exe
fi

# No display: a virtual one, with a Wine desktop so that the window has its
# frame; the picture is taken once the window has appeared, as in the tests.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$screenshot" "$demo/wineprefix" TARVIN.exe 96 "$demo/tarvin.png" >/dev/null
echo "No display: TARVIN ran on a virtual one. Screenshot: build/demo/tarvin.png"
