#!/usr/bin/env bash
# Checks that no DLL that Windows loads for TARVIN.exe before its first
# statement can come from the folder it was downloaded to: it imports only
# DLLs that Windows never takes from a program's folder, and its load
# configuration asks Windows to look for what those DLLs import in the system
# folder only (DependentLoadFlags LOAD_LIBRARY_SEARCH_SYSTEM32, which Windows
# 10 applies from version 1607 on). Both read from the file's bytes:
#   dll_search.sh TARVIN_EXE
set -euo pipefail
exe=$1
fail() { echo "$1" >&2; exit 1; }

# The Known DLLs of both Windows 7 and Windows 11, which the loader maps from
# the system folder only; ntdll.dll, which every process holds before anything
# else; and COMCTL32.DLL, which the manifest binds to Common Controls 6 in the
# side-by-side store.
allowed=" advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32
  oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32 ntdll comctl32 "
# objdump's headings are in the user's language otherwise.
headers=$(LC_ALL=C i686-w64-mingw32-objdump -p "$exe")
dlls=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sed 's/\.dll$//')
[ -n "$dlls" ] || fail "No imports read from $exe"
for dll in $dlls; do
  [[ $allowed == *" $dll "* ]] || fail "TARVIN.exe imports $dll.dll, which Windows may take from the program's folder: load it at run time from the system folder (LoadSystemLibrary)."
done

# The load configuration's place, from the data directory, and the file
# offset of that place, from the section that holds it.
read -r rva size < <(awk '/^Entry a / { print "0x" $3, "0x" $4 }' <<<"$headers")
[ $((size)) -ge $((0x38)) ] || fail "TARVIN.exe has no load configuration with DependentLoadFlags"
address=$(($(awk '/^ImageBase/ { print "0x" $2 }' <<<"$headers") + rva))
offset=
while read -r index _ section_size vma _ file_offset _; do
  [[ $index =~ ^[0-9]+$ ]] && [ $((address)) -ge $((0x$vma)) ] && [ $((address)) -lt $((0x$vma + 0x$section_size)) ] &&
    offset=$((address - 0x$vma + 0x$file_offset))
done < <(LC_ALL=C i686-w64-mingw32-objdump -h "$exe")
[ -n "$offset" ] || fail "The load configuration lies in no section of TARVIN.exe"
# The structure's own Size comes first: Windows reads no field that lies
# beyond it, and DependentLoadFlags ends at 0x38.
own_size=$(od -An -tu4 -j "$offset" -N4 "$exe" | tr -d ' ')
[ "$own_size" -ge $((0x38)) ] || fail "The load configuration's Size is $(printf 0x%x "$own_size"): Windows reads no DependentLoadFlags"
flags=$(od -An -tu2 -j $((offset + 0x36)) -N2 "$exe" | tr -d ' ')
[ "$flags" -eq $((0x800)) ] || fail "DependentLoadFlags is $(printf 0x%x "$flags"), not LOAD_LIBRARY_SEARCH_SYSTEM32 (0x800)"
echo "Imports: $(echo $dlls); DependentLoadFlags 0x800"
