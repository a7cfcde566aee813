#pragma once

#include "access/account_directory.h"

namespace tarvin {

// Whether the current user is a direct member of the local Administrators
// group: by name, when their name equals, exactly and with the same case, a
// direct member's (domains are not compared); or by SID, when the SID of the
// account the program runs as is a direct member's, also where that member's
// name cannot be resolved. Members through a group are not members. Where it
// is not found to be one and a directory query failed on the way, the first
// failure.
Result<bool> IsAdministrator(AccountDirectory& directory);

}  // namespace tarvin
