#include "access/is_administrator.h"

#include <algorithm>

namespace tarvin {

namespace {

// "domain\name" gives "name"; a name without domain stays as it is.
std::wstring WithoutDomain(const std::wstring& account) {
    const auto separator = account.find_last_of(L'\\');
    return separator == std::wstring::npos ? account : account.substr(separator + 1);
}

Result<bool> IsMemberByName(AccountDirectory& directory) {
    const Result<std::wstring> user = directory.CurrentUserName();
    if (!user) return user.failure();
    const Result<std::vector<std::wstring>> members = directory.AdministratorsMembers();
    if (!members) return members.failure();
    return std::any_of(members->begin(), members->end(),
                       [&](const std::wstring& member) { return WithoutDomain(member) == *user; });
}

Result<bool> IsMemberBySid(AccountDirectory& directory) {
    const Result<std::wstring> sid = directory.ProcessUserSid();
    if (!sid) return sid.failure();
    const Result<std::vector<std::wstring>> members = directory.AdministratorsMemberSids();
    if (!members) return members.failure();
    return std::find(members->begin(), members->end(), *sid) != members->end();
}

}  // namespace

Result<bool> IsAdministrator(AccountDirectory& directory) {
    const Result<bool> byName = IsMemberByName(directory);
    if (byName && *byName) return true;
    const Result<bool> bySid = IsMemberBySid(directory);
    if (bySid && *bySid) return true;
    if (!byName) return byName;
    return bySid;
}

}  // namespace tarvin
