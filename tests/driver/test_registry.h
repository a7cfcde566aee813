#pragma once

// Seeds, reads and clears keys of the Wine prefix's registry, for the tests
// and the benchmark. The last component of a path, and every key below it,
// goes by its counted name (which may hold NUL characters), and a registry
// link there is created, read and removed as the link, never followed; the
// components before it are opened as any program opens them. Calls that can
// fail say so, and do nothing more after a failure; a key that does not open
// counts as absent.

#include <windows.h>

#include <string>
#include <vector>

namespace tarvin::driver {

// Creates the key path below root, of two components or more, the last by
// its whole name; with a linkTarget, a native path such as
// "\Registry\Machine\Software\Victim", the last component as a registry
// link to it.
bool CreateKey(HKEY root, const std::wstring& path, const std::wstring& linkTarget = {});

// Whether the tests run on 64-bit Windows, where TARVIN.exe, a 32-bit
// program, sees the machine's Software\WOW6432Node as its Software.
bool On64BitWindows();

// The path of root's Software key as TARVIN sees it: "Software", or on 64-bit
// Windows for the machine "Software\WOW6432Node".
std::wstring TarvinSoftware(HKEY root);

// The path of the vendor key below root as TARVIN sees it.
std::wstring VendorKeyPath(HKEY root);

// Replaces the vendor's whole key (Norvale) below root's Software as TARVIN
// sees it by a vendor key holding exactly these entries.
bool SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries);

// Entry names "KT-00000", "KT-00001", ... : count of them, below 100,000, in
// the registry's order.
std::vector<std::wstring> NumberedEntries(int count);

// The paths of every key at and below these paths, sorted; a link is not
// followed and shows as a key without subkeys. A path that does not exist
// adds nothing.
std::vector<std::wstring> Snapshot(HKEY root, const std::vector<std::wstring>& paths);

// Removes path below root with everything below it; true when it is gone.
bool RemoveTree(HKEY root, const std::wstring& path);

}  // namespace tarvin::driver
