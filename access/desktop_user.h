#pragma once

#include <string>

#include "access/account_directory.h"
#include "access/desk_shell.h"

namespace tarvin {

// The person at the desk, whose entries are listed and deleted under the
// user's hive: the user who runs the desktop's shell, who is not always the
// account TARVIN runs as (credentials typed for a standard user, or an
// elevation that runs as a separate administrator account).
struct DesktopUser {
    // Their SID, whose hive is HKEY_USERS\<sid>; empty when there is no shell
    // and the session names no user: the user's hive is then HKEY_CURRENT_USER.
    std::wstring sid;
    // Their "DOMAIN\user", or their SID where no name is found, when they are
    // not the account TARVIN runs as; empty when they are, or when sid is empty.
    std::wstring otherAccount;
};

// Finds the person at the desk by the SID of the shell's process, or where
// the desktop has no shell by the name of the session's user. A failure when
// their SID cannot be had, or is no person's (a service's, or the system's),
// or the shell runs in another session or left its window meanwhile: no
// other account's hive may then stand in for theirs.
Result<DesktopUser> FindDesktopUser(AccountDirectory& directory, DeskShell& shell);

}  // namespace tarvin
