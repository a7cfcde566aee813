#include "access/win32/win32_account_directory.h"

#include <windows.h>
#include <lm.h>

#include "app/win32/unique_handle.h"

namespace tarvin {

namespace {

struct NetApiBufferTraits {
    using Handle = BYTE*;
    static Handle Empty() { return nullptr; }
    static void Release(Handle buffer) { NetApiBufferFree(buffer); }
};
using UniqueNetApiBuffer = UniqueHandle<NetApiBufferTraits>;

// The local name of the built-in Administrators group (S-1-5-32-544).
bool AdministratorsGroupName(std::wstring& name, DirectoryFailure& failure) {
    alignas(SID) BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &sidSize)) {
        failure = {L"(CreateWellKnownSid)", GetLastError()};
        return false;
    }
    wchar_t account[GNLEN + 1];
    DWORD accountLength = GNLEN + 1;
    wchar_t domain[DNLEN + 1];
    DWORD domainLength = DNLEN + 1;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, sid, account, &accountLength, domain, &domainLength, &use)) {
        failure = {L"(LookupAccountSid)", GetLastError()};
        return false;
    }
    name.assign(account, accountLength);
    return true;
}

}  // namespace

bool Win32AccountDirectory::CurrentUserName(std::wstring& name, DirectoryFailure& failure) {
    wchar_t user[UNLEN + 1];
    DWORD length = UNLEN + 1;
    if (!GetUserNameW(user, &length)) {
        failure = {L"(GetUserName)", GetLastError()};
        return false;
    }
    name.assign(user, length - 1);  // the length counts the NUL
    return true;
}

bool Win32AccountDirectory::AdministratorsMembers(std::vector<std::wstring>& members,
                                                  DirectoryFailure& failure) {
    std::wstring group;
    if (!AdministratorsGroupName(group, failure)) return false;
    DWORD_PTR resume = 0;
    NET_API_STATUS status;
    do {
        UniqueNetApiBuffer buffer;
        DWORD read = 0;
        DWORD total = 0;
        status = NetLocalGroupGetMembers(nullptr, group.c_str(), 3,
                                         buffer.receive(),
                                         MAX_PREFERRED_LENGTH, &read, &total, &resume);
        if (status != NERR_Success && status != ERROR_MORE_DATA) {
            failure = {L"(NetLocalGroupGetMembers)", status};
            return false;
        }
        const auto* member = reinterpret_cast<const LOCALGROUP_MEMBERS_INFO_3*>(buffer.get());
        for (DWORD i = 0; i < read; ++i) {
            // A member whose account cannot be resolved may come without a name.
            if (member[i].lgrmi3_domainandname) members.emplace_back(member[i].lgrmi3_domainandname);
        }
    } while (status == ERROR_MORE_DATA);
    return true;
}

}  // namespace tarvin
