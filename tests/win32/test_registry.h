#pragma once

// Seeds and clears keys of the Wine prefix's registry for the tests.

#include <windows.h>

#include <string>
#include <vector>

namespace tarvin::testing {

// The vendor's own key, parent of the vendor key.
inline constexpr wchar_t kVendorParentPath[] = L"Software\\Norvale";

// Replaces the vendor key below root by one holding exactly these entries.
// An entry written "name\sub" is created with a subkey of its own.
void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries);

// The names of the entries under root's vendor key, sorted; empty when the
// vendor key does not exist.
std::vector<std::wstring> VendorEntries(HKEY root);

// Removes the vendor's whole key (kVendorParentPath) below root.
void RemoveVendorKey(HKEY root);

}  // namespace tarvin::testing
