#pragma once

// Seeds, reads and clears keys of the Wine prefix's registry for the tests.
// Key names are counted: a name may hold NUL characters. No call follows a
// registry link; a link is created, read and removed as the link.

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace tarvin::testing {

// The vendor's own key, parent of the vendor key.
inline constexpr wchar_t kVendorParentPath[] = L"Software\\Norvale";

// Creates path below root, each component by its whole name, and returns the
// last key, open for all access; fails the test when it cannot.
UniqueRegistryKey CreateKeyPath(HKEY root, const std::wstring& path);

// Creates path below root as a registry link to target, a native path such as
// "\Registry\Machine\Software\Victim".
void CreateLink(HKEY root, const std::wstring& path, const std::wstring& target);

// Sets the text value name (the default value when null) of the key path.
void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);

// Replaces the vendor key below root by one holding exactly these entries.
// An entry written "name\sub" is created with a subkey of its own.
void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries);

// The names of the entries under root's vendor key, sorted; empty when the
// vendor key does not exist.
std::vector<std::wstring> VendorEntries(HKEY root);

// Every key, value and link at and below path, one line each, sorted: the key
// "path", its values "path|name=data", a link "path -> target" (not followed).
// Empty when path does not exist.
std::vector<std::wstring> Snapshot(HKEY root, const std::wstring& path);

// Removes path below root with everything below it; a link goes as the link.
void RemoveTree(HKEY root, const std::wstring& path);

// Removes the vendor's whole key (kVendorParentPath) below root.
void RemoveVendorKey(HKEY root);

}  // namespace tarvin::testing
