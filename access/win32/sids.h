#pragma once

#include <windows.h>

#include <string>

#include "common/failure.h"

namespace tarvin {

// Room for any account's or domain's name, which LookupAccountName and
// LookupAccountSid give: a domain's can be longer than DNLEN.
constexpr DWORD kNameLength = 256;

// "S-1-5-21-…" of sid.
Result<std::wstring> SidString(PSID sid);

// The SID of the user that token stands for, as a string.
Result<std::wstring> TokenUserSid(HANDLE token);

// The account that sid names: its domain and its own name.
struct AccountOfSid {
    std::wstring domain;
    std::wstring name;
};
Result<AccountOfSid> LookupSid(PSID sid);

}  // namespace tarvin
