#pragma once

#include <optional>

#include "access/account_directory.h"

namespace tarvin {

// True when the current user's name equals, exactly and with the same case,
// the name of a direct member of the local Administrators group. Domains are
// not compared. A directory query that fails gives false, and failure then
// describes it; otherwise failure is left empty.
bool IsAdministrator(AccountDirectory& directory, std::optional<DirectoryFailure>& failure);

}  // namespace tarvin
