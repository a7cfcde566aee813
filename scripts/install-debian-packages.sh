#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing TARVIN need.
# Safe to run again: it only installs what is missing, and it asks for root only then.
# A package mirror that is out of step does not stop it: see update_package_lists
# and install_group.
set -euo pipefail

# qemu-user and the 32-bit preloader run 32-bit Wine where the kernel runs
# no 32-bit programs (scripts/run-in-wine.sh --wow64). qemu-user comes without
# the package it recommends, which would send every 32-bit program to qemu
# for good. osslsigncode signs a release; openssl makes the signing test's
# throwaway certificate.
packages=(cmake g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32 wine64 xvfb xauth x11-apps
          imagemagick fonts-ipafont-gothic fonts-wine locales wine32-preloader osslsigncode openssl)
bare_packages=(qemu-user)

update_tries=3
# Seconds between two tries of apt-get update.
retry_pause=${TARVIN_APT_RETRY_PAUSE:-20}
# This release's own suite (bookworm on Debian 12), or nothing.
# shellcheck source=/dev/null
release_suite=$( (. "${TARVIN_OS_RELEASE:-/etc/os-release}" && echo "${VERSION_CODENAME:-}") 2>/dev/null || true)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Installing needs root: run this as root once, or install sudo." >&2
    exit 1
  fi
}

# A mirror in the middle of a sync serves an index that does not match its
# release file: apt-get update is tried again after a pause. An index that
# still fails is named, and the package lists this machine has serve instead;
# any other failure stops here.
update_package_lists() {
  local try status errors failed_indexes
  for ((try = 1; ; try++)); do
    status=0
    errors=$(as_root apt-get update -qq 2>&1 >/dev/null) || status=$?
    [ "$status" -ne 0 ] || return 0
    [ "$try" -lt "$update_tries" ] || break
    echo "apt-get update failed (exit status $status); trying again in $retry_pause s (try $((try + 1)) of $update_tries)." >&2
    sleep "$retry_pause"
  done
  # apt names each index it could not fetch by its address, in any language.
  failed_indexes=$(grep -E '^[EW]: .*://' <<<"$errors") || true
  if [ -z "$failed_indexes" ]; then
    echo "$errors" >&2
    echo "apt-get update failed (exit status $status), $update_tries times." >&2
    exit "$status"
  fi
  echo "apt-get update could not fetch these package lists in $update_tries tries; going on with the lists this machine has:" >&2
  echo "$failed_indexes" >&2
}

# Set once the newest package lists could not be resolved; every later group
# is installed from the same suite.
target_release=()

# apt_install [--no-install-recommends] PACKAGE...: one apt transaction, so
# that packages it cannot resolve leave nothing installed. What apt said is
# kept in apt_output, shown if the install fails for good.
apt_install() {
  apt_output=$(as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${target_release[@]}" "$@" 2>&1)
}

# install_group [--no-install-recommends] PACKAGE...
# Where the mirror serves one architecture's index behind the other's, a
# library needed for both i386 and amd64 has no version common to both in the
# newest lists, and the install cannot be resolved. The release's own suite
# as target release has the same versions in every architecture.
install_group() {
  local options=() status=0
  [ "$1" != --no-install-recommends ] || { options=("$1"); shift; }
  apt_install "${options[@]}" "$@" || status=$?
  if [ "$status" -ne 0 ] && [ ${#target_release[@]} -eq 0 ] && [ -n "$release_suite" ]; then
    echo "apt-get install failed for $* (exit status $status); trying again with $release_suite as target release, whose i386 and amd64 versions are in step." >&2
    target_release=(-t "$release_suite")
    status=0
    apt_install "${options[@]}" "$@" || status=$?
  fi
  if [ "$status" -ne 0 ]; then
    echo "$apt_output" >&2
    echo "apt-get install failed for $* (exit status $status)${target_release[*]:+, with $release_suite as target release}." >&2
    exit "$status"
  fi
}

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
  as_root dpkg --add-architecture i386
fi
missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null || echo "$p"
  done
}
mapfile -t missing < <(missing "${packages[@]}")
mapfile -t missing_bare < <(missing "${bare_packages[@]}")
if [ $((${#missing[@]} + ${#missing_bare[@]})) -gt 0 ]; then
  echo "Installing: ${missing[*]} ${missing_bare[*]}"
  # Where root is out of reach, this says so before apt's output is captured.
  as_root true
  update_package_lists
  [ ${#missing[@]} -eq 0 ] || install_group "${missing[@]}"
  [ ${#missing_bare[@]} -eq 0 ] || install_group --no-install-recommends "${missing_bare[@]}"
fi

# Wine takes its code page from the process locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -ix 'ja_JP.utf8' >/dev/null; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
