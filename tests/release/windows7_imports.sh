#!/usr/bin/env bash
# Checks that TARVIN.exe imports no function but those of ALLOWED_LIST, which
# Windows 7 SP1 all has ("DLL function" a line, # for comments): Windows does
# not start a program that imports a function it lacks. Names the others:
#   windows7_imports.sh TARVIN_EXE ALLOWED_LIST
set -euo pipefail
exe=$1 allowed=$2

# objdump's headings are in the user's language otherwise. Each import is a
# line "<tab>address<tab>hint name" below the "DLL Name: name" of its DLL.
imports=$(LC_ALL=C i686-w64-mingw32-objdump -p "$exe" | sed -n '/^The Import Tables/,/^The /p' |
          awk '/DLL Name:/ { dll = $3 } /^\t[0-9a-f]+\t/ { print dll, $3 }' | LC_ALL=C sort -u)
[ -n "$imports" ] || { echo "No imports read from $exe" >&2; exit 1; }
unlisted=$(LC_ALL=C comm -23 <(echo "$imports") <(grep -v -e '^#' -e '^$' "$allowed" | LC_ALL=C sort -u))
if [ -n "$unlisted" ]; then
  echo "TARVIN.exe imports what $allowed does not list, and Windows 7 may lack:" >&2
  echo "$unlisted" >&2
  echo "Look a later Windows' function up at run time; list one that Windows 7 SP1 has." >&2
  exit 1
fi
echo "All $(wc -l <<<"$imports") imports are listed in $allowed"
