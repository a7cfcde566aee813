#!/usr/bin/env bash
# Builds TARVIN and times it under Wine against a bare raw-API program and
# reg.exe; prints the tables and writes them, with the machine they were
# taken on, to docs/benchmark.md.
# Usage: bench/run.sh [RUNS [N...]]   (default: 3 runs of 10, 1000, 10000, 33000 entries)
# Run it on a quiet machine: the figures are wall-clock times.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-debian-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

# A prefix of its own, so that the benchmark and the tests never share a registry.
prefix=build/bench/wineprefix
scripts/run-in-wine.sh --wow64 "$prefix"
runs=${1:-3}
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
tables=build/bench/tables.md
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  prefix=$1 tables=$2; shift 2
  scripts/run-in-wine.sh --wow64 "$prefix" build/win32/bin/tarvin_bench.exe "$@" > "$tables"; status=$?
  WINEPREFIX="$PWD/$prefix" wineserver -k 2>/dev/null
  exit $status' sh "$prefix" "$tables" "$runs" "${@:2}"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

{
  echo "# Benchmark"
  echo
  echo "Taken $(date -u '+%Y-%m-%d %H:%M UTC') with \`bench/run.sh $*\`: median of $runs runs, in milliseconds."
  echo
  echo "- Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(nproc) cores," \
       "$(LC_ALL=C free -g | awk '/^Mem:/ {print $2}') GB; $(. /etc/os-release && echo "$PRETTY_NAME")"
  if [ "$(scripts/run-in-wine.sh --arch)" = win32 ]; then
    echo "- Wine: $(/usr/lib/wine/wine64 --version), 64-bit prefix, the programs under WoW64," \
         "Japanese locale, virtual display (Xvfb)"
  else
    echo "- Wine: $(/usr/lib/wine/wine64 --version), 64-bit prefix, the programs under WoW64 through" \
         "qemu-i386 (this machine runs no 32-bit programs), Japanese locale, virtual display (Xvfb)"
  fi
  echo "- Load average (1, 5, 15 min): $load_before before, $load_after after"
  echo
  tr -d '\r' < "$tables"
  echo
  cat bench/method.md
} > docs/benchmark.md
cat docs/benchmark.md
