#include "access/is_administrator.h"

#include <algorithm>

namespace tarvin {

namespace {

// "domain\name" gives "name"; a name without domain stays as it is.
std::wstring WithoutDomain(const std::wstring& account) {
    const auto separator = account.find_last_of(L'\\');
    return separator == std::wstring::npos ? account : account.substr(separator + 1);
}

bool IsMemberByName(AccountDirectory& directory, std::optional<DirectoryFailure>& failure) {
    std::wstring user;
    std::vector<std::wstring> members;
    DirectoryFailure queried;
    if (!directory.CurrentUserName(user, queried) || !directory.AdministratorsMembers(members, queried)) {
        failure = queried;
        return false;
    }
    return std::any_of(members.begin(), members.end(),
                       [&](const std::wstring& member) { return WithoutDomain(member) == user; });
}

bool IsMemberBySid(AccountDirectory& directory, std::optional<DirectoryFailure>& failure) {
    const std::wstring sid = directory.ProcessUserSid();
    std::vector<std::wstring> members;
    DirectoryFailure queried;
    if (sid.empty()) return false;
    if (!directory.AdministratorsMemberSids(members, queried)) {
        if (!failure) failure = queried;
        return false;
    }
    return std::find(members.begin(), members.end(), sid) != members.end();
}

}  // namespace

bool IsAdministrator(AccountDirectory& directory, std::optional<DirectoryFailure>& failure) {
    return IsMemberByName(directory, failure) || IsMemberBySid(directory, failure);
}

}  // namespace tarvin
