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

constexpr wchar_t kGroupMembersLabel[] = L"(NetLocalGroupGetMembers)";

// The network management API, loaded only when the administrator check runs:
// the DLL and those it pulls in cost every start, while most starts never
// delete anything.
class NetApi {
public:
    // Loads the DLL; a failure is labelled as the call it serves.
    std::optional<Failure> Load() {
        Result<UniqueModule> loaded = LoadSystemLibrary(L"netapi32.dll");
        if (!loaded) return Failure{kGroupMembersLabel, loaded.failure().code};
        module_ = std::move(*loaded);
        getMembers_ = ProcAddress<decltype(getMembers_)>(module_.get(), "NetLocalGroupGetMembers");
        freeBuffer_ = ProcAddress<decltype(freeBuffer_)>(module_.get(), "NetApiBufferFree");
        if (!getMembers_ || !freeBuffer_) return Failure{kGroupMembersLabel, GetLastError()};
        return std::nullopt;
    }

    // Reads the group's members at level, page by page, and passes each to
    // take as the level's Info structure.
    template <typename Info, typename Take>
    std::optional<Failure> ForEachMember(const wchar_t* group, DWORD level, Take take) const {
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
        if (status != NERR_Success) return Failure{kGroupMembersLabel, status};
        return std::nullopt;
    }

private:
    UniqueModule module_;
    decltype(&NetLocalGroupGetMembers) getMembers_ = nullptr;
    decltype(&NetApiBufferFree) freeBuffer_ = nullptr;
};

// The local name of the built-in Administrators group (S-1-5-32-544).
Result<std::wstring> AdministratorsGroupName() {
    alignas(SID) BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &sidSize)) {
        return Failure{L"(CreateWellKnownSid)", GetLastError()};
    }
    const Result<AccountOfSid> group = LookupSid(sid);
    if (!group) return group.failure();
    return group->name;
}

// Passes each direct member of the local Administrators group to take, read
// at level as Info.
template <typename Info, typename Take>
std::optional<Failure> ForEachAdministrator(DWORD level, Take take) {
    const Result<std::wstring> group = AdministratorsGroupName();
    if (!group) return group.failure();
    NetApi netApi;
    if (const std::optional<Failure> failed = netApi.Load()) return failed;
    return netApi.ForEachMember<Info>(group->c_str(), level, take);
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

Result<std::wstring> Win32AccountDirectory::ProcessUserSid() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        return Failure{L"(OpenProcessToken)", GetLastError()};
    }
    return TokenUserSid(token.get());
}

Result<std::wstring> Win32AccountDirectory::SessionUserSid() {
    const std::wstring account = SessionAccount();
    if (account.empty()) return std::wstring();
    alignas(SID) BYTE found[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof found;
    wchar_t domain[kNameLength];  // the account's domain, which comes with its SID
    DWORD domainLength = kNameLength;
    SID_NAME_USE use;
    if (!LookupAccountNameW(nullptr, account.c_str(), found, &sidSize, domain, &domainLength, &use)) {
        return Failure{L"(LookupAccountName)", GetLastError()};
    }
    return SidString(found);
}

Result<std::wstring> Win32AccountDirectory::AccountName(const std::wstring& sid) {
    UniqueLocalSid binary;
    if (!ConvertStringSidToSidW(sid.c_str(), binary.put())) return Failure{L"(ConvertStringSidToSid)", GetLastError()};
    const Result<AccountOfSid> account = LookupSid(binary.get());
    if (!account) return account.failure();
    return account->domain + L"\\" + account->name;
}

Result<std::wstring> Win32AccountDirectory::CurrentUserName() {
    wchar_t user[UNLEN + 1];
    DWORD length = UNLEN + 1;
    if (!GetUserNameW(user, &length)) return Failure{L"(GetUserName)", GetLastError()};
    return std::wstring(user, length - 1);  // the length counts the NUL
}

Result<std::vector<std::wstring>> Win32AccountDirectory::AdministratorsMembers() {
    std::vector<std::wstring> members;
    // A member whose account cannot be resolved may come without a name.
    const std::optional<Failure> failed = ForEachAdministrator<LOCALGROUP_MEMBERS_INFO_3>(3, [&](const auto& member) {
        if (member.lgrmi3_domainandname) members.emplace_back(member.lgrmi3_domainandname);
    });
    if (failed) return *failed;
    return members;
}

Result<std::vector<std::wstring>> Win32AccountDirectory::AdministratorsMemberSids() {
    std::vector<std::wstring> sids;
    // A SID that cannot be written is no SID the program runs as.
    const std::optional<Failure> failed = ForEachAdministrator<LOCALGROUP_MEMBERS_INFO_0>(0, [&](const auto& member) {
        if (Result<std::wstring> sid = SidString(member.lgrmi0_sid)) sids.push_back(std::move(*sid));
    });
    if (failed) return *failed;
    return sids;
}

}  // namespace tarvin
