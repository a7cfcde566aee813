#!/usr/bin/env bash
# Builds the release TARVIN.exe of the source tree this script is in into
# BUILD_DIR: release-build.sh BUILD_DIR. The program ends up in
# BUILD_DIR/bin/TARVIN.exe. Only TARVIN.exe is built, none of the tests. A
# release is built in a new BUILD_DIR; the tests build theirs again and again.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --target TARVIN -j"$(nproc)" >/dev/null
