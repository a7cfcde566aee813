#include "access/win32/sids.h"

#include <sddl.h>

#include "common/win32/unique_handle.h"

namespace tarvin {

std::wstring SidString(PSID sid) {
    UniqueLocalString text;
    return ConvertSidToStringSidW(sid, text.receive()) ? std::wstring(text.get()) : std::wstring();
}

bool TokenUserSid(HANDLE token, std::wstring& sid, DirectoryFailure& failure) {
    alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD length = 0;
    if (!GetTokenInformation(token, TokenUser, user, sizeof user, &length)) {
        failure = {L"(GetTokenInformation)", GetLastError()};
        return false;
    }
    sid = SidString(reinterpret_cast<const TOKEN_USER*>(user)->User.Sid);
    if (sid.empty()) failure = {L"(ConvertSidToStringSid)", GetLastError()};
    return !sid.empty();
}

}  // namespace tarvin
