#pragma once

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

// The local accounts database, as the administrator check needs it.
class AccountDirectory {
public:
    virtual ~AccountDirectory() = default;

    // The name of the user who runs the program, without domain. On failure
    // returns false and describes it in failure.
    virtual bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) = 0;

    // The direct members of the local built-in Administrators group, whatever
    // its local name, each as "domain\name" (or a bare name); groups among them
    // appear by their own name, unexpanded. On failure returns false and
    // describes it in failure.
    virtual bool AdministratorsMembers(std::vector<std::wstring>& members,
                                       DirectoryFailure& failure) = 0;
};

}  // namespace tarvin
