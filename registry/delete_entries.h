#pragma once

#include <string>
#include <vector>

#include "products/product_list.h"
#include "registry/registry.h"
#include "registry/system_error.h"

namespace tarvin {

// Deletes, under hive's vendor key, the key of the entry that each line of
// deleteList was listed from, walking the lines from the last to the first.
// entryNames maps a line's entry to its key name. Each key gets one attempt,
// without recursion: a key that has subkeys stays. Every failure but
// kErrorInvalidParameter is reported as "(RegDeleteKey)" and the walk goes on.
// A vendor key that does not exist is passed over in silence; one that exists
// but does not open is reported as "(RegOpenKeyEx)". The list is not changed,
// and the vendor key is closed again on return.
void DeleteEntries(Registry& registry, SystemErrorReporter& errors, Hive hive,
                   const ProductList& deleteList, const std::vector<std::wstring>& entryNames);

}  // namespace tarvin
