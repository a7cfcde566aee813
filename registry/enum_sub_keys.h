#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"

namespace tarvin {

// Appends to names the names of the subkeys directly below key, in the
// registry's own order, neither sorted nor filtered. Returns the failure of
// the open or of the read that ended the reading early, if one did; names
// then holds those read before it. The key is closed again on return.
std::optional<Failure> EnumSubKeys(Registry& registry, const KeyLocation& key, std::vector<std::wstring>& names);

}  // namespace tarvin
