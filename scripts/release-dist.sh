#!/usr/bin/env bash
# Puts a release-built TARVIN.exe into DIST_DIR with its SHA256SUMS, signed
# (Authenticode, SHA-256) when a code-signing certificate is given:
#   release-dist.sh TARVIN_EXE DIST_DIR
# TARVIN_SIGN_PKCS12: the PKCS#12 file that holds the certificate and its
# key; TARVIN_SIGN_PASSWORD: its password; TARVIN_SIGN_TIMESTAMP_URL, if set:
# an RFC 3161 timestamp server, which keeps the signature valid after the
# certificate expires. Without TARVIN_SIGN_PKCS12, DIST_DIR gets TARVIN_EXE
# itself.
# DIST_DIR is replaced, and filled only once every file is made: after a
# failure it holds neither a half-signed file nor an earlier release.
set -euo pipefail
exe=$1 dist=$2

rm -rf "$dist"
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT

if [ -n "${TARVIN_SIGN_PKCS12-}" ]; then
  timestamp=()
  [ -z "${TARVIN_SIGN_TIMESTAMP_URL-}" ] || timestamp=(-ts "$TARVIN_SIGN_TIMESTAMP_URL")
  # The password goes through a pipe: on the command line, ps would show it
  # to every user of the machine.
  if ! osslsigncode sign -pkcs12 "$TARVIN_SIGN_PKCS12" -readpass <(printf '%s' "${TARVIN_SIGN_PASSWORD-}") \
       -h sha256 "${timestamp[@]}" -in "$exe" -out "$staging/TARVIN.exe" >/dev/null; then
    echo "Could not sign TARVIN.exe: a wrong password (TARVIN_SIGN_PASSWORD), or $TARVIN_SIGN_PKCS12" \
         "is not a PKCS#12 file with a certificate and its key${timestamp:+, or the timestamp server did not answer}." \
         "Nothing was put into $dist." >&2
    exit 1
  fi
else
  cp "$exe" "$staging/TARVIN.exe"
fi
(cd "$staging" && sha256sum TARVIN.exe > SHA256SUMS)
mkdir "$dist"
cp "$staging/TARVIN.exe" "$staging/SHA256SUMS" "$dist/"
