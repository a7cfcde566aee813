#pragma once

#include <string>
#include <utility>

#include "common/scope_exit.h"
#include "common/user_interface.h"

namespace tarvin {

// Runs the window's commands, one at a time, so that nothing cuts one in two.
// A command's message boxes keep the window's messages flowing: a click that
// arrives meanwhile is dropped, a request to close waits for the command's
// end, and so does the end of the session (logoff, shutdown, restart), which
// would otherwise leave entries gone under the user's hive and left under the
// machine's, where TARVIN never lists them again.
class CommandRunner {
public:
    explicit CommandRunner(UserInterface& ui) : ui_(ui) {}

    // Runs command, under the busy pointer and with the end of the session
    // held back for reason, unless a command runs already or the end of the
    // session is agreed to (it could not finish). Returns whether the window
    // is to close now: a request to close came while the command ran.
    template <typename Command>
    bool Run(const std::wstring& reason, Command command) {
        if (running_ || sessionEnding_) return false;
        running_ = true;
        const ScopeExit done([this] { running_ = false; });
        ui_.HoldSessionEnd(reason);
        const ScopeExit released([this] { ui_.ReleaseSessionEnd(); });
        ui_.SetBusy(true);
        const ScopeExit notBusy([this] { ui_.SetBusy(false); });
        command();
        return std::exchange(closeRequested_, false);
    }

    // A request to close the window; returns whether it is to close now,
    // which it is unless a command runs.
    bool CloseRequested() {
        closeRequested_ = running_;
        return !running_;
    }

    // Windows asks whether the session may end: not while a command runs.
    bool AgreeToEndSession() {
        sessionEnding_ = !running_;
        return sessionEnding_;
    }

    // Windows tells whether the session ends after all; where it goes on
    // (another program refused), commands run again.
    void SessionEnds(bool ending) { sessionEnding_ = ending; }

private:
    UserInterface& ui_;
    bool running_ = false;
    bool closeRequested_ = false;  // the window is to close when the command ends
    bool sessionEnding_ = false;   // the end of the session is agreed to
};

}  // namespace tarvin
