#include "access/win32/sids.h"

#include <sddl.h>

#include "common/win32/unique_handle.h"

namespace tarvin {

Result<std::wstring> SidString(PSID sid) {
    UniqueLocalString text;
    if (!ConvertSidToStringSidW(sid, text.put())) return Failure{L"(ConvertSidToStringSid)", GetLastError()};
    return std::wstring(text.get());
}

Result<std::wstring> TokenUserSid(HANDLE token) {
    alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD length = 0;
    if (!GetTokenInformation(token, TokenUser, user, sizeof user, &length)) {
        return Failure{L"(GetTokenInformation)", GetLastError()};
    }
    return SidString(reinterpret_cast<const TOKEN_USER*>(user)->User.Sid);
}

Result<AccountOfSid> LookupSid(PSID sid) {
    wchar_t account[kNameLength];
    DWORD accountLength = kNameLength;
    wchar_t domain[kNameLength];
    DWORD domainLength = kNameLength;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, sid, account, &accountLength, domain, &domainLength, &use)) {
        return Failure{L"(LookupAccountSid)", GetLastError()};
    }
    return AccountOfSid{std::wstring(domain, domainLength), std::wstring(account, accountLength)};
}

}  // namespace tarvin
