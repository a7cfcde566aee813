#pragma once

// Seeds and clears keys of the Wine prefix's registry for the tests.

#include <windows.h>

#include <string>
#include <vector>

namespace tarvin::testing {

// Replaces the vendor key below root by one holding exactly these entries.
void SeedVendorKey(HKEY root, const std::vector<std::wstring>& entries);

// Removes the vendor's whole key ("Software\Norvale") below root.
void RemoveVendorKey(HKEY root);

}  // namespace tarvin::testing
