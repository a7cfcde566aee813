#pragma once

#include "access/account_directory.h"

namespace tarvin {

// The accounts through the security, network management and session API.
// The Administrators group is found by its well-known SID, so that its local
// name (which differs between language editions) does not matter.
class Win32AccountDirectory final : public AccountDirectory {
public:
    std::wstring ProcessUserSid() override;
    bool SessionUserSid(std::wstring& sid, DirectoryFailure& failure) override;
    std::optional<std::wstring> AccountName(const std::wstring& sid) override;
    bool CurrentUserName(std::wstring& name, DirectoryFailure& failure) override;
    bool AdministratorsMembers(std::vector<std::wstring>& members, DirectoryFailure& failure) override;
    bool AdministratorsMemberSids(std::vector<std::wstring>& sids, DirectoryFailure& failure) override;
};

}  // namespace tarvin
