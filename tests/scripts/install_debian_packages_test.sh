#!/usr/bin/env bash
# Checks what scripts/install-debian-packages.sh does when the package mirror is
# out of step, with no mirror: apt-get, dpkg-query, dpkg, locale and sudo are
# stand-ins first on PATH (in sh where called for every package: it starts
# faster). apt-get logs each call, without its -y and -qq, and answers as each
# case says through FAKE_* variables.
#   install_debian_packages_test.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/install-debian-packages.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
export FAKE_LOG=$work/log TARVIN_APT_RETRY_PAUSE=0 TARVIN_OS_RELEASE=$work/os-release
echo 'VERSION_CODENAME=trixie' >"$TARVIN_OS_RELEASE"

stand_in() { cat >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
# FAKE_MISSING: the packages not installed. FAKE_UPDATE_FAILURES: how many
# tries of apt-get update fail, with FAKE_UPDATE_ERROR. FAKE_RESOLVES: always,
# with-target (only with -t trixie) or never.
stand_in apt-get <<'STAND_IN'
#!/usr/bin/env bash
args=" $* "; args=${args// -y / }; args=${args// -qq / }
echo "apt-get${args% }" >>"$FAKE_LOG"
if [ "$1" = update ]; then
  [ "$(grep -c '^apt-get update' "$FAKE_LOG")" -gt "$FAKE_UPDATE_FAILURES" ] && exit 0
  echo "$FAKE_UPDATE_ERROR" >&2
  exit 100
fi
case $FAKE_RESOLVES in always) exit 0 ;; with-target) [[ $args == *" -t trixie "* ]] && exit 0 ;; esac
echo ' libkrb5-3:i386 : Depends: libssl3:i386 (>= 3.0.0) but it is not going to be installed'
echo 'E: Unable to correct problems, you have held broken packages.' >&2
exit 100
STAND_IN
stand_in dpkg-query <<'STAND_IN'
#!/bin/sh
for package; do :; done
case " $FAKE_MISSING " in *" $package "*) ;; *) echo 'install ok installed' ;; esac
STAND_IN
stand_in dpkg <<'STAND_IN'
#!/bin/sh
[ "$1" = --print-foreign-architectures ] && echo i386 || echo "dpkg $*" >>"$FAKE_LOG"
STAND_IN
stand_in locale <<'STAND_IN'
#!/bin/sh
echo ja_JP.utf8
STAND_IN
# Where the test does not run as root: sudo would reset PATH to the real apt-get.
stand_in sudo <<'STAND_IN'
#!/bin/sh
exec "$@"
STAND_IN

failures=0
# run_case NAME EXPECTED_STATUS EXPECTED_LOG EXPECTED_MESSAGE...: runs the
# script as the FAKE_* variables say; each expected message is part of its output.
run_case() {
  local name=$1 expected_status=$2 expected_log=$3 output status=0
  shift 3
  : >"$FAKE_LOG"
  output=$(PATH="$work/bin:$PATH" "$script" 2>&1) || status=$?
  local problems=()
  [ "$status" -eq "$expected_status" ] || problems+=("exit status $status, not $expected_status")
  [ "$(cat "$FAKE_LOG")" = "$expected_log" ] || problems+=("calls:"$'\n'"$(cat "$FAKE_LOG")"$'\n'"expected:"$'\n'"$expected_log")
  for message; do
    [[ $output == *"$message"* ]] || problems+=("no \"$message\" in the output")
  done
  if [ ${#problems[@]} -gt 0 ]; then
    failures=$((failures + 1))
    printf '%s\n' "FAILED: $name" "${problems[@]}" "output:" "$output" ""
  fi
}

index_error='E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?'
export FAKE_MISSING='wine32 qemu-user' FAKE_UPDATE_FAILURES=0 FAKE_RESOLVES=always FAKE_UPDATE_ERROR="$index_error
E: Some index files failed to download. They have been ignored, or old ones used instead."

FAKE_MISSING='' run_case 'all installed: the mirror is not asked' 0 ''

FAKE_UPDATE_FAILURES=1 run_case 'update fails once, then works' 0 "apt-get update
apt-get update
apt-get install wine32
apt-get install --no-install-recommends qemu-user" 'trying again in 0 s'

FAKE_UPDATE_FAILURES=9 run_case 'update keeps failing for one index: the install goes on' 0 "apt-get update
apt-get update
apt-get update
apt-get install wine32
apt-get install --no-install-recommends qemu-user" "$index_error"

FAKE_UPDATE_FAILURES=9 FAKE_UPDATE_ERROR='E: Could not get lock /var/lib/apt/lists/lock' \
  run_case 'update keeps failing, not for an index: it stops' 100 "apt-get update
apt-get update
apt-get update" 'Could not get lock' 'apt-get update failed (exit status 100)'

FAKE_RESOLVES=with-target run_case 'unresolved: both groups install with the target release' 0 "apt-get update
apt-get install wine32
apt-get install -t trixie wine32
apt-get install -t trixie --no-install-recommends qemu-user" 'trying again with trixie as target release'

FAKE_MISSING='wine32 wine64' FAKE_RESOLVES=never run_case 'unresolved either way: it stops' 100 "apt-get update
apt-get install wine32 wine64
apt-get install -t trixie wine32 wine64" \
  'libssl3:i386 (>= 3.0.0) but it is not going to be installed' 'apt-get install failed for wine32 wine64 (exit status 100), with trixie as target release.'

[ "$failures" -eq 0 ] || exit 1
echo "All cases passed"
