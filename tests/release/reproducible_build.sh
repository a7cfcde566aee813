#!/usr/bin/env bash
# Builds the release TARVIN.exe twice, from two copies of the source tree in
# folders of different names and depths, one after the other, and checks that
# both builds are the same bytes as the TARVIN.exe that the tests ran,
# stripped, and at most 400,000 bytes:
#   reproducible_build.sh SOURCE_DIR TESTED_TARVIN_EXE
set -euo pipefail
source_dir=$(realpath "$1") tested=$2
max_size=400000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
builds=("$work/a" "$work/second/build-of-tarvin")
for build in "${builds[@]}"; do
  mkdir -p "$build/source"
  tar -C "$source_dir" --exclude=./build --exclude=./dist --exclude=./.git -c . | tar -x -C "$build/source"
  "$build/source/scripts/release-build.sh" "$build/out"
done

first=${builds[0]}/out/bin/TARVIN.exe second=${builds[1]}/out/bin/TARVIN.exe
cmp "$first" "$second" || { echo "The two builds differ" >&2; exit 1; }
cmp "$first" "$tested" || { echo "The tested TARVIN.exe is not the release build" >&2; exit 1; }
# nm says so in the user's language otherwise.
symbols=$(LC_ALL=C i686-w64-mingw32-nm "$first" 2>&1 || true)
[ "$symbols" = "i686-w64-mingw32-nm: $first: no symbols" ] || { echo "Not stripped" >&2; exit 1; }
size=$(stat -c %s "$first")
[ "$size" -le "$max_size" ] || { echo "$size bytes, more than $max_size" >&2; exit 1; }
echo "Both builds the same as the tested one, stripped, $size bytes"
