#pragma once

#include <windows.h>

#include <string>

#include "access/account_directory.h"

namespace tarvin {

// "S-1-5-21-…" of sid; empty when it cannot be written, with the reason in
// GetLastError().
std::wstring SidString(PSID sid);

// The SID of the user that token stands for, as a string. On failure returns
// false and describes it in failure.
bool TokenUserSid(HANDLE token, std::wstring& sid, DirectoryFailure& failure);

}  // namespace tarvin
