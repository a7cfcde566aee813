#pragma once

#include <array>
#include <string>

namespace tarvin {

// One row of the fixed table between the names of the product entries in the
// registry and the names the lists show.
struct ProductName {
    const wchar_t* entryName;
    const wchar_t* displayName;
};

extern const std::array<ProductName, 10> ProductNameTable;

// The display name of the first row whose entry name equals entryName exactly
// (case-sensitive, no trimming); entryName unchanged when no row matches.
std::wstring GetDisplayName(const std::wstring& entryName);

// The entry name of the first row whose display name equals displayName
// exactly; displayName unchanged when no row matches.
std::wstring GetKeyName(const std::wstring& displayName);

}  // namespace tarvin
