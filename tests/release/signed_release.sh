#!/usr/bin/env bash
# Puts the tested TARVIN.exe into a dist folder as scripts/release.sh does
# (scripts/release-dist.sh), unsigned, then signed with a throwaway
# self-signed code-signing certificate, and checks:
# - unsigned, it is the tested TARVIN.exe itself; signed, osslsigncode
#   verifies its signature, by the certificate's subject, and removing it
#   gives back the tested TARVIN.exe byte for byte; SHA256SUMS lists the file
#   put there;
# - the password shows in no output and on no osslsigncode command line;
# - a wrong password fails with a message that says so, and leaves no
#   TARVIN.exe in the dist folder, not even the one signed before.
#   signed_release.sh SOURCE_DIR TESTED_TARVIN_EXE
set -euo pipefail
source_dir=$(realpath "$1") tested=$(realpath "$2")
subject="/CN=TARVIN signing test"
password="test password $RANDOM"
# A certificate of the developer's own has no part here.
unset TARVIN_SIGN_PKCS12 TARVIN_SIGN_PASSWORD TARVIN_SIGN_TIMESTAMP_URL

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out certificate.pem -days 2 -subj "$subject" \
        -addext extendedKeyUsage=codeSigning 2>openssl-messages || { cat openssl-messages >&2; exit 1; }
openssl pkcs12 -export -inkey key.pem -in certificate.pem -out signer.p12 -passout "pass:$password"
# osslsigncode as release-dist.sh starts it, its command line written out.
mkdir bin
printf '#!/bin/sh\necho "osslsigncode $*" >&2\nexec %s "$@"\n' "$(command -v osslsigncode)" > bin/osslsigncode
chmod +x bin/osslsigncode
dist_signed_with() {
  PATH="$work/bin:$PATH" TARVIN_SIGN_PKCS12=signer.p12 TARVIN_SIGN_PASSWORD=$1 \
    "$source_dir/scripts/release-dist.sh" "$tested" dist >>output 2>&1
}
fail() { echo "$1" >&2; exit 1; }

"$source_dir/scripts/release-dist.sh" "$tested" dist
cmp dist/TARVIN.exe "$tested" || fail "Unsigned, dist/TARVIN.exe is not the tested TARVIN.exe"
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "Unsigned, SHA256SUMS does not list dist/TARVIN.exe"

dist_signed_with "$password" || { cat output >&2; fail "Signing failed"; }
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "Signed, SHA256SUMS does not list dist/TARVIN.exe"
# osslsigncode answers in the user's language otherwise.
verified=$(LC_ALL=C osslsigncode verify -CAfile certificate.pem -in dist/TARVIN.exe 2>&1) ||
  { echo "$verified" >&2; fail "The signature does not verify"; }
grep -Ex "[[:space:]]*Subject: $subject" <<<"$verified" >/dev/null || fail "The signature is not $subject's"
osslsigncode remove-signature -in dist/TARVIN.exe -out unsigned.exe >/dev/null
cmp unsigned.exe "$tested" || fail "Without its signature, dist/TARVIN.exe is not the tested TARVIN.exe"

! dist_signed_with "wrong $password" || fail "Signing with a wrong password succeeded"
grep -F "Could not sign TARVIN.exe: a wrong password" output >/dev/null || { cat output >&2; fail "No message"; }
[ ! -e dist/TARVIN.exe ] || fail "A wrong password left a TARVIN.exe in the dist folder"

grep -F "osslsigncode sign" output >/dev/null || fail "release-dist.sh did not start osslsigncode from PATH"
! grep -F "$password" output || fail "The password was shown"
echo "Unsigned: the tested TARVIN.exe; signed: verified, and the tested TARVIN.exe without its signature"
