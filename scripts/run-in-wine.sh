#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the given kind:
#   run-in-wine.sh --wow64|--win32 PREFIX [PROGRAM [ARGS...]]
# --wow64: 64-bit Windows, where the 32-bit TARVIN.exe runs under WoW64 with
#   the registry view it has there. Where the kernel runs no 32-bit programs,
#   the 32-bit half of Wine runs under qemu-i386 (user-mode emulation): a
#   binfmt_misc handler, registered for as long as this command runs, sends
#   32-bit programs there. That takes root, a binfmt_misc that mounts and a
#   handler that works; without them the command ends with 77 and says which
#   was missing.
# --win32: 32-bit Windows; where the kernel runs no 32-bit programs, the
#   command ends with 77 (ctest's "skipped") and says so.
# run-in-wine.sh --arch prints the architecture of the programs that run
# natively in both kinds of prefix: win32 where the kernel runs 32-bit
# programs, win64 where it does not (as in some sandboxes).
# TARVIN_QEMU_I386=1 treats this machine as one whose kernel runs no 32-bit
# programs, to try that way on a machine that does.
#
# Makes the prefix on first use (without PROGRAM, only that): Japanese locale
# (code page 932), no crash dialog, so that a crash fails a test instead of
# waiting for someone to close a window, and windows that wait for no window
# manager (the tests' virtual display has none, and Wine would wait two seconds
# for one whenever a window hides). Wine's Japanese locale sets dialogs and the
# message font in "MS UI Gothic" (through "MS Shell Dlg", which Japanese
# Windows maps to it too) but has no such font: IPA P Gothic, a proportional
# Japanese Gothic like it, stands in for it. The caption buttons are glyphs of
# the Marlett font, which this Wine does not find in its own data folder:
# without it in the prefix's Fonts folder, the close box draws as the letter
# "r" of another font.
set -euo pipefail

# Whether the kernel runs 32-bit programs itself. This script registers its
# handler (below) only where it does not, in a mount named for that; another
# command's handler may come or go meanwhile.
has_handler() { ls /tmp/tarvin-binfmt-*/tarvin-i386-* >/dev/null 2>&1; }
runs_32bit() {
  [ "${TARVIN_QEMU_I386:-}" != 1 ] && ! has_handler && /usr/lib/wine/wine --version >/dev/null 2>&1 &&
    ! has_handler
}
skip() {
  echo "This kernel runs no 32-bit programs, and here $1: skipped." >&2
  exit 77
}

usage() {
  echo "usage: $0 --wow64|--win32 PREFIX [PROGRAM [ARGS...]] | --arch" >&2
  exit 2
}
case "${1:-}" in
  --arch) if runs_32bit; then echo win32; else echo win64; fi; exit 0 ;;
  --wow64) arch=win64 loader=/usr/lib/wine/wine64 ;;
  --win32) arch=win32 loader=/usr/lib/wine/wine ;;
  *) usage ;;
esac
[ $# -ge 2 ] || usage
prefix=$(realpath -m "$2")  # Wine takes absolute prefixes only
shift 2

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if ! runs_32bit; then
  [ "$arch" = win64 ] || skip "32-bit Windows cannot be run"
  [ "$(id -u)" -eq 0 ] || skip "32-bit programs cannot run under qemu-i386 (that takes root)"
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
  # The 32-bit programs started meanwhile keep running under qemu-i386 once
  # the handler has gone.
  trap 'status=$?; set +e; [ ! -f "$handler" ] || echo -1 > "$handler"
        umount "$binfmt" 2>/dev/null; rmdir "$binfmt"; exit $status' EXIT
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    skip "32-bit programs cannot run under qemu-i386 (binfmt_misc does not mount)"
  # Any i386 ELF executable, as qemu's own list of handlers matches it.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  { printf ':%s:M::%s:%s:/usr/bin/qemu-i386:' "${handler##*/}" "$magic" "$mask" > "$binfmt/register" &&
    /usr/lib/wine/wine --version; } >/dev/null 2>&1 ||
    skip "32-bit programs cannot run under qemu-i386 (no handler for them works)"
fi

# The marker of a finished prefix names this script's version: a prefix made
# by an earlier version, with other settings, is made again.
ready="$prefix/.ready-$(sha1sum "${BASH_SOURCE[0]}" | cut -c1-12)"
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
    wine_reg_add() { "$loader" reg add "$@" /f >/dev/null 2>&1 9>&-; }
    wine_reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    wine_reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic
    wine_reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
    wineserver -w 9>&-
    touch "$ready"
  fi
) 9>"$prefix.lock"

[ $# -eq 0 ] || if [ -n "${handler:-}" ]; then "$loader" "$@"; else exec "$loader" "$@"; fi
