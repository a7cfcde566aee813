#pragma once

#include <windows.h>

#include "access/desk_shell.h"
#include "common/win32/unique_handle.h"

namespace tarvin {

// The desktop's shell through the window manager, the session API's list of
// processes (which gives every process's user without opening it) and the
// processes' tokens.
class Win32DeskShell final : public DeskShell {
public:
    std::optional<std::uint32_t> ShellProcess() override;
    Result<ProcessUser> ListedUser(std::uint32_t process) override;
    Result<ProcessUser> TokenUser(std::uint32_t process) override;
    void EnableDebugPrivilege() override;
    void RestoreDebugPrivilege() override;

private:
    // While the debug privilege is enabled: the token it was enabled in, and
    // its state before, which holds no privilege when there is nothing to set back.
    UniqueKernelHandle privilegeToken_;
    TOKEN_PRIVILEGES before_{};
};

}  // namespace tarvin
