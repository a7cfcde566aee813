#pragma once

#include <string>

#include "access/account_directory.h"

namespace tarvin {

// The person at the desk, whose entries are listed and deleted under the
// user's hive: the user signed in to the program's session, who is not always
// the account it runs as (credentials typed for a standard user, or an
// elevation that runs as a separate administrator account).
struct DesktopUser {
    // Their SID, whose hive is HKEY_USERS\<sid>; empty when the session names
    // no user, and the user's hive is then HKEY_CURRENT_USER.
    std::wstring sid;
    // Their "DOMAIN\user" when they are not the account the program runs as;
    // empty when they are, or when sid is empty.
    std::wstring otherAccount;
};

// Finds the person at the desk. False, with failure described, when the
// session names a user whose SID cannot be had: no other account's hive may
// then stand in for theirs.
bool FindDesktopUser(AccountDirectory& directory, DesktopUser& user, DirectoryFailure& failure);

}  // namespace tarvin
