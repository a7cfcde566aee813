#pragma once

#include "access/account_directory.h"
#include "common/user_interface.h"

namespace tarvin {

// True when the current user's name equals, exactly and with the same case,
// the name of a direct member of the local Administrators group. Domains are
// not compared. A directory query that fails is reported and gives false.
bool IsAdministrator(AccountDirectory& directory, UserInterface& ui);

}  // namespace tarvin
