#pragma once

#include <string>

namespace tarvin {

// The name a list shows for a product entry: the display name of the first
// row of the fixed table whose entry name equals entryName exactly
// (case-sensitive, no trimming); entryName unchanged when no row matches.
std::wstring GetDisplayName(const std::wstring& entryName);

}  // namespace tarvin
