#pragma once

#include "access/account_directory.h"

namespace tarvin {

// The local accounts database through the security and network management
// API. The Administrators group is found by its well-known SID, so that its
// local name (which differs between language editions) does not matter.
class Win32AccountDirectory final : public AccountDirectory {
public:
    bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) override;
    bool AdministratorsMembers(std::vector<std::wstring>& members, DirectoryFailure& failure) override;
};

}  // namespace tarvin
