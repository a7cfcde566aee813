#pragma once

// Starts TARVIN.exe (or the benchmark's baseline, which has the same window
// class and control ids) and drives it from outside, as a user would, through
// window messages. Used by the end-to-end tests and the benchmark alike: no
// call fails a test, each tells what came of it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace tarvin::testing {

// The file of this name in the directory of the running program.
std::wstring BesideThisProgram(const wchar_t* name);

class TarvinProcess {
public:
    // Starts the program beside the running one; Window() is null if it did not start.
    explicit TarvinProcess(const wchar_t* program = L"TARVIN.exe");
    // Ends the process if it still runs.
    ~TarvinProcess();
    TarvinProcess(const TarvinProcess&) = delete;
    TarvinProcess& operator=(const TarvinProcess&) = delete;

    // The main window once it is visible, looked for every millisecond; null
    // after a timeout or once the process has ended.
    HWND Window() const;
    // The message boxes ("#32770" captioned "TARVIN") the process shows now.
    std::vector<HWND> MessageBoxes() const;

    // The lines of a list box of the main window, in order; empty when the
    // window is gone.
    std::vector<std::wstring> Lines(int listId) const;
    // The number of lines of a list box; -1 when the window is gone.
    int LineCount(int listId) const;
    // Adds to a list box's selection, for each text, the first line of that
    // text not yet selected; false when a text has no such line.
    bool Select(int listId, const std::vector<std::wstring>& texts) const;

    // Clicks a button and returns once its handler has run; false when it did
    // not in time. Only for commands that show no message box.
    bool Click(int buttonId) const;
    // Clicks a button, answers every message box its handler shows with OK,
    // and returns their prompts once the handler has run, each one of a box
    // that does not belong to the main window after "<ownerless> "; a last line
    // "<no end>" when it did not in time. When given, atFirstMessage runs
    // while the first box is up, before it is answered; the process may then
    // end with the command.
    std::vector<std::wstring> ClickAnswering(
        int buttonId, const std::function<void()>& atFirstMessage = nullptr) const;
    // Answers the message boxes shown at start and returns their prompts once
    // the main window shows or the process has ended; a last line "<no end>"
    // when neither comes in time.
    std::vector<std::wstring> AnswerStartMessages() const;

    // The exit code once the process has ended; STILL_ACTIVE after a timeout.
    DWORD ExitCode() const;
    // The process, with all access rights.
    HANDLE Process() const { return process_.get(); }

private:
    bool Running() const;
    // The visible windows of this class, and caption unless null, that the program shows now.
    std::vector<HWND> Windows(const wchar_t* className, const wchar_t* caption) const;
    // Answers message boxes with OK until done, and returns their prompts; a
    // last line "<no end>" when the time ran out first.
    std::vector<std::wstring> Answering(const std::function<bool()>& done,
                                        const std::function<void()>& atFirstMessage) const;

    UniqueKernelHandle process_;
    DWORD threadId_ = 0;
};

}  // namespace tarvin::testing
