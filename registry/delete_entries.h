#pragma once

#include <string>
#include <vector>

#include "registry/registry.h"
#include "common/user_interface.h"

namespace tarvin {

// Deletes, under hive's vendor key, the keys of these entries, in the order
// given. Each key gets one attempt, without recursion: a key that has subkeys
// stays. Every failure but kErrorInvalidParameter is reported as
// "(RegDeleteKey)" and the walk goes on; an empty name, which would stand for
// the vendor key itself, is refused as kErrorInvalidName. A vendor key that
// does not exist is passed over in silence; one that exists but does not open
// is reported as "(RegOpenKeyEx)". The vendor key is closed again on return.
void DeleteEntries(Registry& registry, UserInterface& ui, Hive hive,
                   const std::vector<std::wstring>& entryNames);

}  // namespace tarvin
