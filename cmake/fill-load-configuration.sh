#!/usr/bin/env bash
# Points the load-configuration entry of a 32-bit executable's data directory
# at its load configuration, the structure _load_config_used, which GNU ld
# links in but leaves the entry empty for, and computes the header's checksum
# again, as ld does (and signing tools after it). Where the structure is and
# its size come from the link's map (-Wl,-Map):
#   fill-load-configuration.sh EXE MAP
# The same executable and map give the same bytes.
set -euo pipefail
exe=$1 map=$2

# The structure has a section of its own (-fdata-sections); ld writes a long
# section name on a line of its own, with address and size on the next one.
read -r address size < <(awk '
  $1 == ".rdata$_load_config_used" { if (NF >= 3) { print $2, $3 } else { getline; print $1, $2 }; exit }' "$map")
[ -n "${address:-}" ] || { echo "$map has no _load_config_used" >&2; exit 1; }

u16() { od -An -tu2 -j "$1" -N2 "$exe" | tr -d ' '; }
u32() { od -An -tu4 -j "$1" -N4 "$exe" | tr -d ' '; }
# Writes value as 4 bytes, least significant first, at offset.
put_u32() {
  printf "$(printf '\\%03o' $(($2 & 255)) $(($2 >> 8 & 255)) $(($2 >> 16 & 255)) $(($2 >> 24 & 255)))" |
    dd of="$exe" bs=1 seek="$1" conv=notrunc status=none
}

optional_header=$(($(u32 60) + 24))  # after "PE\0\0" and the file header
[ "$(u16 "$optional_header")" -eq $((0x10b)) ] || { echo "$exe is no 32-bit executable" >&2; exit 1; }
image_base=$(u32 $((optional_header + 28)))
entry=$((optional_header + 96 + 10 * 8))  # IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG
put_u32 "$entry" $((address - image_base))
put_u32 $((entry + 4)) $((size))

# The checksum: the file's 16-bit words, the checksum's own two counted as 0,
# added with their carries wrapped round, plus the file's length.
checksum=$((optional_header + 64))
put_u32 "$checksum" "$(od -An -v -tu2 -w2 "$exe" | awk -v skip=$((checksum / 2)) -v size="$(stat -c %s "$exe")" '
  NR - 1 != skip && NR - 1 != skip + 1 { sum += $1; if (sum >= 65536) sum -= 65535 }
  END { printf "%d", sum + size }')"
