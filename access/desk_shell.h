#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/failure.h"

namespace tarvin {

// The user a process runs as, by SID ("S-1-5-…"), and whether the process
// runs in TARVIN's own session.
struct ProcessUser {
    std::wstring sid;
    bool inOwnSession = false;
};

// The shell of the desktop that TARVIN's window is on (Explorer, as a rule),
// whose process runs as the person at the desk, whatever account TARVIN runs
// as and whether or not the person's name can be looked up.
class DeskShell {
public:
    virtual ~DeskShell() = default;

    // The id of the process that owns the desktop's shell window; none when
    // the desktop has no shell window (no Explorer, or a shell that sets none).
    virtual std::optional<std::uint32_t> ShellProcess() = 0;

    // The user of the process as the system's list of processes gives it,
    // which needs no access to the process; a failure also where the list
    // does not give it.
    virtual Result<ProcessUser> ListedUser(std::uint32_t process) = 0;

    // The user of the process from its access token.
    virtual Result<ProcessUser> TokenUser(std::uint32_t process) = 0;

    // Enables the debug privilege, with which an administrator opens another
    // account's processes; and sets it back as it was.
    virtual void EnableDebugPrivilege() = 0;
    virtual void RestoreDebugPrivilege() = 0;
};

}  // namespace tarvin
