#include "access/win32/win32_desk_shell.h"

#include "access/win32/session_api.h"
#include "access/win32/sids.h"
#include "common/scope_exit.h"

namespace tarvin {

static_assert(kErrorNoSuchLogonSession == ERROR_NO_SUCH_LOGON_SESSION);
static_assert(kErrorNoSuchUser == ERROR_NO_SUCH_USER);

std::optional<std::uint32_t> Win32DeskShell::ShellProcess() {
    DWORD process = 0;
    // A shell window that has gone meanwhile gives no process, as none would.
    if (const HWND shell = GetShellWindow()) GetWindowThreadProcessId(shell, &process);
    if (process == 0) return std::nullopt;
    return process;
}

// The session of each process comes from the same list as its user, so that
// both processes' sessions are told the same way.
Result<ProcessUser> Win32DeskShell::ListedUser(std::uint32_t process) {
    constexpr wchar_t kLabel[] = L"(WTSEnumerateProcesses)";
    const SessionApi api;
    WTS_PROCESS_INFOW* listed = nullptr;
    DWORD count = 0;
    if (!api.Loaded() || !api.enumerateProcesses(WTS_CURRENT_SERVER_HANDLE, 0, 1, &listed, &count)) {
        return Failure{kLabel, GetLastError()};
    }
    const ScopeExit freed([&] { api.freeMemory(listed); });
    const WTS_PROCESS_INFOW* shell = nullptr;
    const WTS_PROCESS_INFOW* own = nullptr;
    for (DWORD i = 0; i < count; ++i) {
        if (listed[i].ProcessId == process) shell = &listed[i];
        if (listed[i].ProcessId == GetCurrentProcessId()) own = &listed[i];
    }
    if (!shell || !own || !shell->pUserSid) return Failure{kLabel, ERROR_NOT_FOUND};
    const Result<std::wstring> sid = SidString(shell->pUserSid);
    if (!sid) return sid.failure();
    return ProcessUser{*sid, shell->SessionId == own->SessionId};
}

Result<ProcessUser> Win32DeskShell::TokenUser(std::uint32_t process) {
    const UniqueKernelHandle opened(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!opened) return Failure{L"(OpenProcess)", GetLastError()};
    UniqueKernelHandle token;
    UniqueKernelHandle ownToken;
    if (!OpenProcessToken(opened.get(), TOKEN_QUERY, token.put()) ||
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, ownToken.put())) {
        return Failure{L"(OpenProcessToken)", GetLastError()};
    }
    const Result<std::wstring> sid = TokenUserSid(token.get());
    if (!sid) return sid.failure();
    DWORD session = 0;
    DWORD ownSession = 0;
    DWORD length = 0;
    if (!GetTokenInformation(token.get(), TokenSessionId, &session, sizeof session, &length) ||
        !GetTokenInformation(ownToken.get(), TokenSessionId, &ownSession, sizeof ownSession, &length)) {
        return Failure{L"(GetTokenInformation)", GetLastError()};
    }
    return ProcessUser{*sid, session == ownSession};
}

void Win32DeskShell::EnableDebugPrivilege() {
    before_ = {};
    LUID debug;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, privilegeToken_.put()) ||
        !LookupPrivilegeValueW(nullptr, SE_DEBUG_NAME, &debug)) {
        return;
    }
    TOKEN_PRIVILEGES enable{1, {{debug, SE_PRIVILEGE_ENABLED}}};
    DWORD length = 0;
    // The state before holds the privilege only when this changed it: not
    // when it was enabled already, nor when the token lacks it.
    if (!AdjustTokenPrivileges(privilegeToken_.get(), FALSE, &enable, sizeof before_, &before_, &length)) {
        before_ = {};
    }
}

void Win32DeskShell::RestoreDebugPrivilege() {
    if (before_.PrivilegeCount > 0) AdjustTokenPrivileges(privilegeToken_.get(), FALSE, &before_, 0, nullptr, nullptr);
    before_ = {};
    privilegeToken_.reset();
}

}  // namespace tarvin
