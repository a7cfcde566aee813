#include "access/win32/win32_account_directory.h"

#include <windows.h>
#include <lm.h>
#include <sddl.h>

#include "access/win32/session_api.h"
#include "access/win32/sids.h"
#include "common/win32/proc_address.h"
#include "common/win32/system_library.h"
#include "common/win32/unique_handle.h"

namespace tarvin {

namespace {

// The network management API, loaded only when the administrator check runs:
// the DLL and those it pulls in cost every start, while most starts never
// delete anything.
class NetApi {
public:
    // False on failure, with the reason in GetLastError().
    bool Load() {
        module_.reset(LoadSystemLibrary(L"netapi32.dll"));
        if (!module_) return false;
        getMembers_ = ProcAddress<decltype(getMembers_)>(module_.get(), "NetLocalGroupGetMembers");
        freeBuffer_ = ProcAddress<decltype(freeBuffer_)>(module_.get(), "NetApiBufferFree");
        return getMembers_ && freeBuffer_;
    }

    // Reads the group's members at level, page by page, and passes each to
    // take as the level's Info structure. Returns the status of the read.
    template <typename Info, typename Take>
    NET_API_STATUS ForEachMember(const wchar_t* group, DWORD level, Take take) const {
        DWORD_PTR resume = 0;
        NET_API_STATUS status;
        do {
            BYTE* buffer = nullptr;
            DWORD read = 0;
            DWORD total = 0;
            status = getMembers_(nullptr, group, level, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
            const auto* member = reinterpret_cast<const Info*>(buffer);
            for (DWORD i = 0; buffer && i < read; ++i) take(member[i]);
            if (buffer) freeBuffer_(buffer);
        } while (status == ERROR_MORE_DATA);
        return status;
    }

private:
    UniqueModule module_;
    decltype(&NetLocalGroupGetMembers) getMembers_ = nullptr;
    decltype(&NetApiBufferFree) freeBuffer_ = nullptr;
};

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

// Room for any account's or domain's name, which LookupAccountName and
// LookupAccountSid return: a domain's can be longer than DNLEN.
constexpr DWORD kNameLength = 256;

// Passes each direct member of the local Administrators group to take, read
// at level as Info. On failure returns false and describes it in failure.
template <typename Info, typename Take>
bool ForEachAdministrator(DWORD level, Take take, DirectoryFailure& failure) {
    std::wstring group;
    if (!AdministratorsGroupName(group, failure)) return false;
    NetApi netApi;
    if (!netApi.Load()) {
        failure = {L"(NetLocalGroupGetMembers)", GetLastError()};
        return false;
    }
    const NET_API_STATUS status = netApi.ForEachMember<Info>(group.c_str(), level, take);
    if (status != NERR_Success) failure = {L"(NetLocalGroupGetMembers)", status};
    return status == NERR_Success;
}

// The user signed in to the program's own session, as "DOMAIN\\user" (or a
// bare name); empty when the session names none or cannot be asked.
std::wstring SessionAccount() {
    const SessionApi api;
    const auto text = [&](WTS_INFO_CLASS what) {
        wchar_t* answer = nullptr;
        DWORD bytes = 0;
        if (!api.Loaded() ||
            !api.querySessionInformation(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, what, &answer, &bytes)) {
            return std::wstring();
        }
        std::wstring copy(answer);
        api.freeMemory(answer);
        return copy;
    };
    const std::wstring user = text(WTSUserName);
    const std::wstring domain = user.empty() ? std::wstring() : text(WTSDomainName);
    return domain.empty() ? user : domain + L"\\" + user;
}

}  // namespace

std::wstring Win32AccountDirectory::ProcessUserSid() {
    UniqueKernelHandle token;
    std::wstring sid;
    DirectoryFailure ignored;  // an empty SID says it all
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive())) TokenUserSid(token.get(), sid, ignored);
    return sid;
}

bool Win32AccountDirectory::SessionUserSid(std::wstring& sid, DirectoryFailure& failure) {
    const std::wstring account = SessionAccount();
    if (account.empty()) return true;
    alignas(SID) BYTE found[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof found;
    wchar_t domain[kNameLength];
    DWORD domainLength = kNameLength;
    SID_NAME_USE use;
    if (!LookupAccountNameW(nullptr, account.c_str(), found, &sidSize, domain, &domainLength, &use)) {
        failure = {L"(LookupAccountName)", GetLastError()};
        return false;
    }
    sid = SidString(found);
    if (sid.empty()) failure = {L"(ConvertSidToStringSid)", GetLastError()};
    return !sid.empty();
}

std::optional<std::wstring> Win32AccountDirectory::AccountName(const std::wstring& sid) {
    UniqueLocalSid binary;
    wchar_t account[kNameLength];
    DWORD accountLength = kNameLength;
    wchar_t domain[kNameLength];
    DWORD domainLength = kNameLength;
    SID_NAME_USE use;
    if (!ConvertStringSidToSidW(sid.c_str(), binary.receive()) ||
        !LookupAccountSidW(nullptr, binary.get(), account, &accountLength, domain, &domainLength, &use)) {
        return std::nullopt;
    }
    return std::wstring(domain, domainLength) + L"\\" + std::wstring(account, accountLength);
}

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
    // A member whose account cannot be resolved may come without a name.
    return ForEachAdministrator<LOCALGROUP_MEMBERS_INFO_3>(3, [&](const LOCALGROUP_MEMBERS_INFO_3& member) {
        if (member.lgrmi3_domainandname) members.emplace_back(member.lgrmi3_domainandname);
    }, failure);
}

bool Win32AccountDirectory::AdministratorsMemberSids(std::vector<std::wstring>& sids, DirectoryFailure& failure) {
    return ForEachAdministrator<LOCALGROUP_MEMBERS_INFO_0>(0, [&](const LOCALGROUP_MEMBERS_INFO_0& member) {
        sids.push_back(SidString(member.lgrmi0_sid));
    }, failure);
}

}  // namespace tarvin
