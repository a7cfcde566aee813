#pragma once

#include "access/account_directory.h"

namespace tarvin {

// The accounts through the security, network management and session API.
// The Administrators group is found by its well-known SID, so that its local
// name (which differs between language editions) does not matter.
class Win32AccountDirectory final : public AccountDirectory {
public:
    Result<std::wstring> ProcessUserSid() override;
    Result<std::wstring> SessionUserSid() override;
    Result<std::wstring> AccountName(const std::wstring& sid) override;
    Result<std::wstring> CurrentUserName() override;
    Result<std::vector<std::wstring>> AdministratorsMembers() override;
    Result<std::vector<std::wstring>> AdministratorsMemberSids() override;
};

}  // namespace tarvin
