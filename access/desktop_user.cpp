#include "access/desktop_user.h"

#include "common/scope_exit.h"

namespace tarvin {

namespace {

// What a SID that is no person's is reported under: the call that gave it.
constexpr wchar_t kShellWindowLabel[] = L"(GetShellWindow)";
constexpr wchar_t kAccountNameLabel[] = L"(LookupAccountName)";

// Whether sid is an account a person signs in with: a local, domain or
// Microsoft account (S-1-5-21-…), or a Microsoft Entra ID one (S-1-12-1-…).
// Not the system's, a service's, nor the window manager's or font driver's,
// which own processes at every desk.
bool IsPersonsAccount(const std::wstring& sid) {
    return sid.rfind(L"S-1-5-21-", 0) == 0 || sid.rfind(L"S-1-12-1-", 0) == 0;
}

// The user of the shell's process: from the list of processes, or else from
// its token, which an administrator may open only with the debug privilege
// when it is another account's. The privilege is on for that call alone.
bool ShellUser(DeskShell& shell, std::uint32_t process, ProcessUser& user, DirectoryFailure& failure) {
    if (const std::optional<ProcessUser> listed = shell.ListedUser(process)) {
        user = *listed;
        return true;
    }
    shell.EnableDebugPrivilege();
    const ScopeExit restored([&] { shell.RestoreDebugPrivilege(); });
    return shell.TokenUser(process, user, failure);
}

}  // namespace

bool FindDesktopUser(AccountDirectory& directory, DeskShell& shell, DesktopUser& user, DirectoryFailure& failure) {
    const wchar_t* source = kAccountNameLabel;
    if (const std::optional<std::uint32_t> process = shell.ShellProcess()) {
        ProcessUser owner;
        if (!ShellUser(shell, *process, owner, failure)) return false;
        if (!owner.inOwnSession) {
            failure = {kShellWindowLabel, kErrorNoSuchLogonSession};
            return false;
        }
        user.sid = owner.sid;
        source = kShellWindowLabel;
    } else if (!directory.SessionUserSid(user.sid, failure)) {
        return false;
    }
    if (user.sid.empty()) return true;
    if (!IsPersonsAccount(user.sid)) {
        failure = {source, kErrorNoSuchUser};
        return false;
    }
    if (user.sid != directory.ProcessUserSid()) user.otherAccount = directory.AccountName(user.sid).value_or(user.sid);
    return true;
}

}  // namespace tarvin
