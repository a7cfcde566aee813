#!/usr/bin/env bash
# Saves a picture of TARVIN's window at a given DPI and, given a REFERENCE
# picture, fails unless at most 100 of its pixels differ from it (an empty
# registered list differs in more than a thousand):
#   window-screenshot.sh PREFIX TARVIN.exe DPI OUTPUT.png [REFERENCE.png]
# TARVIN runs on a Wine virtual desktop, which draws the window frame, on the
# X display in DISPLAY, with the demo entries in the registry. The prefix's
# LogPixels is set for the run; the prefix is set back to 96 DPI, and loses
# the entries, when the script ends.
set -euo pipefail
prefix=$(realpath -m "$1") exe=$(realpath "$2") dpi=$3 output=$(realpath -m "$4") reference=${5:+$(realpath "$5")}
here=$(cd "$(dirname "$0")" && pwd)
wine_run() { "$here/run-in-wine.sh" --wow64 "$prefix" "$@"; }
desktop_key='HKCU\Control Panel\Desktop'
desktop_size=800x720

shot=$(mktemp --suffix=.png)
# This script holds the prefix alone: ending every Wine process in it ends
# TARVIN and its desktop (taskkill does not find TARVIN where it runs under
# qemu-i386). The prefix goes back to 96 DPI, which the other tests do not
# depend on (those that look at sizes set their own).
restore() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  wine_run reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wine_run reg delete 'HKCU\Software\Norvale' /f >/dev/null 2>&1 || true
  wine_run reg delete 'HKLM\Software\Norvale' /f /reg:32 >/dev/null 2>&1 || true
  rm -f "$shot"
}
trap restore EXIT

demo_registry="$here/demo-registry.reg"
wine_run reg import "Z:${demo_registry//\//\\}" /reg:32 >/dev/null 2>&1
wine_run reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

cd "$(dirname "$exe")"
wine_run explorer "/desktop=TARVIN$dpi,$desktop_size" "$(basename "$exe")" &

# The desktop sits at the display's top left corner. The window is there once
# two pictures a second apart agree and show more than the desktop's colour.
previous=
for _ in $(seq 30); do
  sleep 1
  xwd -root -silent | convert xwd:- -crop "$desktop_size+0+0" +repage "$shot"
  read -r colours current < <(convert "$shot" -format '%k %#\n' info:)  # colour count, pixel hash
  if [ "$colours" -gt 2 ] && [ "$current" = "$previous" ]; then break; fi
  previous=$current
done
[ "$colours" -gt 2 ] || { echo "TARVIN's window did not appear" >&2; exit 1; }
# Down to the window: trimming takes off the desktop's plain colour.
mkdir -p "$(dirname "$output")"
convert "$shot" -trim +repage "$output"
echo "Saved $output"
[ -n "$reference" ] || exit 0
# compare writes the count of differing pixels to its standard error.
differing=$(LC_ALL=C compare -metric AE "$output" "$reference" null: 2>&1 || true)
[[ $differing =~ ^[0-9]+$ ]] && [ "$differing" -le 100 ] ||
  { echo "$differing pixels differ from $reference" >&2; exit 1; }
echo "As $reference but for $differing pixels"
