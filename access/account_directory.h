#pragma once

#include <string>
#include <vector>

#include "common/failure.h"

namespace tarvin {

// The accounts, as the administrator check and the choice of whose entries
// are listed need them. A SID is written as a string, such as "S-1-5-21-…".
// A failure is labelled with the call that failed, as the user sees it in a
// report, such as "(GetUserName)".
class AccountDirectory {
public:
    virtual ~AccountDirectory() = default;

    // The SID of the account the program runs as.
    virtual Result<std::wstring> ProcessUserSid() = 0;

    // The SID of the user signed in to the program's own session, found by
    // their name; empty when the session names no user or cannot be asked.
    virtual Result<std::wstring> SessionUserSid() = 0;

    // The account's name as "DOMAIN\user".
    virtual Result<std::wstring> AccountName(const std::wstring& sid) = 0;

    // The name of the user who runs the program, without domain.
    virtual Result<std::wstring> CurrentUserName() = 0;

    // The direct members of the local built-in Administrators group, whatever
    // its local name, each as "domain\name" (or a bare name); groups among them
    // appear by their own name, unexpanded.
    virtual Result<std::vector<std::wstring>> AdministratorsMembers() = 0;

    // The SIDs of the same direct members, also of those whose names cannot
    // be resolved.
    virtual Result<std::vector<std::wstring>> AdministratorsMemberSids() = 0;
};

}  // namespace tarvin
