#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: run-in-wine.sh PREFIX [PROGRAM [ARGS...]]
# run-in-wine.sh --arch prints the Windows architecture the Windows tests are
# built for on this machine: win32, or win64 where the kernel does not run
# 32-bit programs (and so no 32-bit Wine), as in some sandboxes.
# Makes the prefix on first use (without PROGRAM, only that): of that
# architecture, Japanese locale (code page 932), no crash dialog, so that a
# crash fails a test instead of waiting for someone to close a window. Wine's
# Japanese locale sets dialogs and the message font in "MS UI Gothic" (through
# "MS Shell Dlg", which Japanese Windows maps to it too) but has no such font:
# IPA P Gothic, a proportional Japanese Gothic like it, stands in for it.
# The caption buttons are glyphs of the Marlett font, which this Wine does not
# find in its own data folder: without it in the prefix's Fonts folder, the
# close box draws as the letter "r" of another font.
set -euo pipefail

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  arch=win32 loader=/usr/lib/wine/wine
else
  arch=win64 loader=/usr/lib/wine/wine64
fi
if [ "${1:-}" = --arch ]; then
  echo "$arch"
  exit 0
fi

prefix=$(realpath -m "$1")  # Wine takes absolute prefixes only
shift

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# The marker of a finished prefix names this script's version: a prefix made
# by an earlier version, with other settings, is made again.
ready="$prefix/.ready-$(sha1sum "${BASH_SOURCE[0]}" | cut -c1-12)"

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$ready" ]; then
    rm -rf "$prefix"
    # Wine's own processes outlive these commands: they must not hold the lock.
    "$loader" wineboot -i >/dev/null 2>&1 9>&-
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1 9>&-
    "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
      /d IPAPGothic /f >/dev/null 2>&1 9>&-
    wineserver -w 9>&-
    touch "$ready"
  fi
) 9>"$prefix.lock"

[ $# -eq 0 ] || exec "$loader" "$@"
