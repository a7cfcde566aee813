#!/usr/bin/env bash
# Builds the release TARVIN.exe from the committed sources, in a build
# directory of its own, into dist/ with its SHA256SUMS, and prints the checksum.
# Every build of the same commit gives the same bytes, wherever and whenever
# it is built: anyone can rebuild a published TARVIN.exe and compare. Given a
# code-signing certificate (TARVIN_SIGN_PKCS12 and TARVIN_SIGN_PASSWORD, see
# release-dist.sh), the TARVIN.exe in dist/ is signed; without its signature
# it is those same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -n "$(git status --porcelain)" ]; then
  echo "The tree has changes that are not committed: a release is built from a commit only." >&2
  exit 1
fi
scripts/install-debian-packages.sh

# A release that fails leaves none behind, not even an earlier one.
rm -rf dist
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The commit's files alone, nothing else that lies in the working tree.
mkdir "$work/source"
git archive --format=tar HEAD | tar -x -C "$work/source"
"$work/source/scripts/release-build.sh" "$work/build"

scripts/release-dist.sh "$work/build/bin/TARVIN.exe" dist
signed=${TARVIN_SIGN_PKCS12:+, signed}
echo "Built TARVIN.exe of $(git rev-parse --short HEAD) into dist/ ($(stat -c %s dist/TARVIN.exe) bytes$signed):"
cat dist/SHA256SUMS
