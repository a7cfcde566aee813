#!/usr/bin/env bash
# Builds TARVIN.exe and opens it under Wine on a demo registry: sample QIRA
# entries under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, in a Wine prefix of
# its own (build/demo/wineprefix), seeded afresh on every run.
# With a display, the window opens there. Without one, TARVIN runs on a virtual
# display and a screenshot is saved to build/demo/tarvin.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-debian-packages.sh
export demo=$PWD/build/demo wine_run=$PWD/tests/run-in-wine.sh screenshot=$PWD/tests/win32/window_screenshot.sh
# A 64-bit build where this machine's Wine runs no 32-bit programs.
[ "$("$wine_run" --arch)" = win32 ] && toolchain=mingw-i686 || toolchain=mingw-x86_64
cmake -S . -B "$demo/win32" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$demo/win32" --target TARVIN -j"$(nproc)"

# Wine sees the Unix file system as drive Z:.
"$wine_run" "$demo/wineprefix" reg import "Z:${PWD//\//\\}\\scripts\\demo-registry.reg" >/dev/null
cd "$demo/win32/bin"

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_run" "$demo/wineprefix" TARVIN.exe
fi

# No display: a virtual one, with a Wine desktop so that the window has its
# frame; the picture is taken once the window has appeared, as in the tests.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$screenshot" "$demo/wineprefix" TARVIN.exe 96 "$demo/tarvin.png" >/dev/null
echo "No display: TARVIN ran on a virtual one. Screenshot: build/demo/tarvin.png"
