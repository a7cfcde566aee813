#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"
#include "common/user_interface.h"

namespace tarvin {

// The names of the subkeys directly below path in hive, in the order the
// registry gives them (neither sorted nor filtered). A failure to open the key,
// or to read a name, is reported through ShowSystemError with the label
// "(RegOpenKeyEx)"; the names read before the failure are returned.
std::vector<std::wstring> EnumSubKeys(Registry& registry, UserInterface& ui,
                                      Hive hive, const std::wstring& path);

}  // namespace tarvin
