#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing TARVIN need.
# Safe to run again: it only installs what is missing, and it asks for root only then.
set -euo pipefail

# qemu-user and the 32-bit preloader run 32-bit Wine where the kernel runs
# no 32-bit programs (tests/run-in-wine.sh --wow64).
packages=(cmake g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32 wine64 xvfb xauth x11-apps
          imagemagick fonts-ipafont-gothic fonts-wine locales qemu-user wine32-preloader)

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

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
  as_root dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its code page from the process locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -ix 'ja_JP.utf8' >/dev/null; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
