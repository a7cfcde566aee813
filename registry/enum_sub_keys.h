#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"

namespace tarvin {

// The subkey names of a key, and how their reading ended.
struct SubKeyNames {
    std::vector<std::wstring> names;  // in the registry's own order, neither sorted nor filtered
    // kErrorSuccess when every name was read; otherwise the code of the open
    // or read that failed, and names holds those read before it.
    ErrorCode status = kErrorSuccess;
};

// The names of the subkeys directly below path in hive. The key is closed
// again on return.
SubKeyNames EnumSubKeys(Registry& registry, Hive hive, const std::wstring& path);

}  // namespace tarvin
