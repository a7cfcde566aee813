#pragma once

// Starts the real TARVIN.exe and drives it from outside, as a user would,
// through window messages.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace tarvin::testing {

// TARVIN.exe in the directory of the running test program.
std::wstring TarvinPath();

class TarvinProcess {
public:
    // Starts TARVIN.exe from the directory of the running test program.
    TarvinProcess();
    // Ends the process if it still runs.
    ~TarvinProcess();
    TarvinProcess(const TarvinProcess&) = delete;
    TarvinProcess& operator=(const TarvinProcess&) = delete;

    // The main window once it is visible; null after a timeout.
    HWND WaitForMainWindow() const;
    // A visible message box ("#32770" captioned "TARVIN") of the process; null after a timeout.
    HWND WaitForMessageBox() const;
    // The message boxes the process shows right now.
    std::vector<HWND> MessageBoxes() const;
    // The prompt of a message box.
    static std::wstring MessageBoxText(HWND box);
    // Presses OK and waits until the box is gone.
    static void Dismiss(HWND box);

    // The lines of the list box with this control id, in order. Like every
    // call on a control, fails the test when TARVIN's window is gone.
    std::vector<std::wstring> ListLines(int controlId) const;
    // The number of lines of the list box with this control id.
    int LineCount(int controlId) const;
    // Selects line `line` of the list box with this control id, adding it to the selection.
    void Select(int listId, int line) const;
    // Clicks the button with this control id, without waiting for the handler.
    void Click(int controlId) const;
    // Clicks the button with this control id and returns once its handler has
    // run. Only for commands that show no message box.
    void ClickAndWait(int controlId) const;
    // Clicks the button with this control id, answers every message box its
    // handler shows, and returns their prompts once the handler has run. When
    // given, atFirstMessage runs while the first box is up, before it is
    // answered; TARVIN may then end with the command.
    std::vector<std::wstring> ClickAnsweringMessages(
        int controlId, const std::function<void()>& atFirstMessage = nullptr) const;
    // Answers the message boxes shown at start and returns their prompts once
    // the main window shows; fails the test when it never does.
    std::vector<std::wstring> AnswerStartMessages() const;

    // True when the process has ended within the timeout.
    bool WaitForExit() const;
    DWORD ExitCode() const;
    // The process, with all access rights.
    HANDLE Process() const { return process_.get(); }

private:
    // The control of the main window with this id.
    HWND Control(int controlId) const;
    // Clicks a button through a sent message: true once the handler has run.
    bool SendClick(int controlId) const;
    // The first visible top-level window of the process with this class and
    // caption (any caption when null); null after a timeout or once the
    // process has ended.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption) const;
    std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* caption) const;

    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

}  // namespace tarvin::testing
