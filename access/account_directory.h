#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/error_code.h"

namespace tarvin {

// A failed query of the account directory: the failed call's name as the user
// sees it in a report, such as "(GetUserName)", and its error code.
struct DirectoryFailure {
    std::wstring label;
    ErrorCode code = kErrorSuccess;
};

// The accounts, as the administrator check and the choice of whose entries
// are listed need them. A SID is written as a string, such as "S-1-5-21-…".
class AccountDirectory {
public:
    virtual ~AccountDirectory() = default;

    // The SID of the account the program runs as; empty when it cannot be had.
    virtual std::wstring ProcessUserSid() = 0;

    // The SID of the user signed in to the program's own session, found by
    // their name. True with sid empty when the session names no user or
    // cannot be asked; false, with failure described, when it names a user
    // whose SID cannot be had.
    virtual bool SessionUserSid(std::wstring& sid, DirectoryFailure& failure) = 0;

    // The account's name as "DOMAIN\user"; none when no name is found.
    virtual std::optional<std::wstring> AccountName(const std::wstring& sid) = 0;

    // The name of the user who runs the program, without domain. On failure
    // returns false and describes it in failure.
    virtual bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) = 0;

    // The direct members of the local built-in Administrators group, whatever
    // its local name, each as "domain\name" (or a bare name); groups among them
    // appear by their own name, unexpanded. On failure returns false and
    // describes it in failure.
    virtual bool AdministratorsMembers(std::vector<std::wstring>& members,
                                       DirectoryFailure& failure) = 0;

    // The SIDs of the same direct members, also of those whose names cannot
    // be resolved. On failure returns false and describes it in failure.
    virtual bool AdministratorsMemberSids(std::vector<std::wstring>& sids, DirectoryFailure& failure) = 0;
};

}  // namespace tarvin
