#pragma once

#include "access/account_directory.h"

namespace tarvin {

// True when the current user's name equals, exactly and with the same case,
// the name of a direct member of the local Administrators group. Domains are
// not compared. A directory query that fails gives false and is described in
// failure; otherwise failure's code is kErrorSuccess.
bool IsAdministrator(AccountDirectory& directory, DirectoryFailure& failure);

}  // namespace tarvin
