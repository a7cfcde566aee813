#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix:
#   run-in-wine.sh [--wow64] PREFIX [PROGRAM [ARGS...]]
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
#
# --wow64: a 64-bit prefix on every machine, in which 32-bit programs run
# under WoW64 with the registry view they have on 64-bit Windows. Where the
# kernel runs no 32-bit programs, the 32-bit half of Wine runs under qemu-i386
# (user-mode emulation) instead: a binfmt_misc handler, registered for as
# long as this command runs, sends 32-bit programs there. That takes root,
# a binfmt_misc that mounts and a handler that works; without them the
# command ends with 77, the tests' "skipped", and says which was missing.
set -euo pipefail

# Whether the kernel runs 32-bit programs itself. This script registers its
# handler (below) only where it does not, in a mount named for that; another
# command's handler may come or go meanwhile.
has_handler() { ls /tmp/tarvin-binfmt-*/tarvin-i386-* >/dev/null 2>&1; }
runs_32bit() { ! has_handler && /usr/lib/wine/wine --version >/dev/null 2>&1 && ! has_handler; }
native_arch() { if runs_32bit; then echo win32; else echo win64; fi; }

if [ "${1:-}" = --arch ]; then
  native_arch
  exit 0
fi
wow64=false
if [ "$1" = --wow64 ]; then
  wow64=true
  shift
fi
prefix=$(realpath -m "$1")  # Wine takes absolute prefixes only
shift

# The marker of a finished prefix names this script's version: a prefix made
# by an earlier version, with other settings, is made again.
ready="$prefix/.ready-$(sha1sum "${BASH_SOURCE[0]}" | cut -c1-12)"
# A finished prefix keeps the architecture it was made with, whatever
# handler another command has registered meanwhile.
if $wow64; then
  arch=win64
elif [ -f "$ready" ]; then
  arch=$(sed -n 's/^#arch=//p' "$prefix/system.reg")
else
  arch=$(native_arch)
fi
if [ "$arch" = win32 ]; then loader=/usr/lib/wine/wine; else loader=/usr/lib/wine/wine64; fi

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if $wow64 && ! runs_32bit; then
  skip() {
    echo "This kernel runs no 32-bit programs, and here they cannot run under qemu-i386 ($1): skipped." >&2
    exit 77
  }
  [ "$(id -u)" -eq 0 ] || skip "that takes root"
  # What a command that was killed left behind: its handler and mount.
  for stale in /tmp/tarvin-binfmt-*; do
    pid=${stale##*-}
    [ -d "$stale" ] && ! kill -0 "$pid" 2>/dev/null || continue
    [ ! -f "$stale/tarvin-i386-$pid" ] || echo -1 > "$stale/tarvin-i386-$pid"
    umount "$stale" 2>/dev/null || true
    rmdir "$stale"
  done
  binfmt=/tmp/tarvin-binfmt-$$
  handler="$binfmt/tarvin-i386-$$"
  mkdir "$binfmt"
  # Wine's processes in the prefix end before the handler goes, unless this
  # command is killed.
  trap 'status=$?; set +e; wineserver -k 2>/dev/null; [ ! -f "$handler" ] || echo -1 > "$handler"
        umount "$binfmt" 2>/dev/null; rmdir "$binfmt"; exit $status' EXIT
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || skip "binfmt_misc does not mount"
  # Any i386 ELF executable, as qemu's own list of handlers matches it.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  { printf ':%s:M::%s:%s:/usr/bin/qemu-i386:' "${handler##*/}" "$magic" "$mask" > "$binfmt/register" &&
    /usr/lib/wine/wine --version; } >/dev/null 2>&1 || skip "no handler for them works"
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$ready" ]; then
    rm -rf "$prefix"
    # Made without a display, also when a test on the virtual display makes
    # it: none of wineboot's windows shows on the tests' screen. Wine's own
    # processes outlive these commands: they must not hold the lock.
    export -n DISPLAY
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

[ $# -eq 0 ] || if [ -n "${handler:-}" ]; then "$loader" "$@"; else exec "$loader" "$@"; fi
