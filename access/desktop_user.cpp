#include "access/desktop_user.h"

#include "common/scope_exit.h"

namespace tarvin {

namespace {

// What a desk user who is not to be had is reported under: the call that
// found them (a SID that is no person's, a shell in another session or gone).
constexpr wchar_t kShellWindowLabel[] = L"(GetShellWindow)";
constexpr wchar_t kAccountNameLabel[] = L"(LookupAccountName)";

// Whether sid is an account a person signs in with: a local, domain or
// Microsoft account (S-1-5-21-…), or a Microsoft Entra ID one (S-1-12-1-…).
// Not the system's, a service's, nor the window manager's or font driver's,
// which own processes at every desk.
bool IsPersonsAccount(const std::wstring& sid) {
    return sid.rfind(L"S-1-5-21-", 0) == 0 || sid.rfind(L"S-1-12-1-", 0) == 0;
}

// The SID of the shell's user: from the list of processes, or else from the
// process's token, which an administrator may open only with the debug
// privilege when it is another account's. The privilege is on for that call
// alone. The shell window still belongs to the process afterwards, or the
// process may have ended and its id gone to another account's meanwhile: a
// window does not outlive its process.
Result<std::wstring> ShellUserSid(DeskShell& shell, std::uint32_t process) {
    Result<ProcessUser> user = shell.ListedUser(process);
    if (!user) {
        shell.EnableDebugPrivilege();
        const ScopeExit restored([&] { shell.RestoreDebugPrivilege(); });
        user = shell.TokenUser(process);
    }
    if (!user) return user.failure();
    if (!user->inOwnSession || shell.ShellProcess() != process) {
        return Failure{kShellWindowLabel, kErrorNoSuchLogonSession};
    }
    return user->sid;
}

}  // namespace

Result<DesktopUser> FindDesktopUser(AccountDirectory& directory, DeskShell& shell) {
    const std::optional<std::uint32_t> process = shell.ShellProcess();
    const Result<std::wstring> sid = process ? ShellUserSid(shell, *process) : directory.SessionUserSid();
    if (!sid) return sid.failure();
    DesktopUser user{*sid, {}};
    if (user.sid.empty()) return user;
    if (!IsPersonsAccount(user.sid)) return Failure{process ? kShellWindowLabel : kAccountNameLabel, kErrorNoSuchUser};
    const Result<std::wstring> own = directory.ProcessUserSid();
    if (!own || *own != user.sid) {
        const Result<std::wstring> name = directory.AccountName(user.sid);
        user.otherAccount = name ? *name : user.sid;
    }
    return user;
}

}  // namespace tarvin
