#pragma once

// Starts TARVIN.exe (or the benchmark's baseline, which has the same window
// class and control ids) and drives it from outside, as a user would, through
// window messages. Used by the end-to-end tests and the benchmark alike: no
// call fails a test, each tells what came of it.

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace tarvin::driver {

// Requests to the main window besides a button's click (its id).
// None: the program's start, handled once the main window shows.
inline constexpr int kStart = 0;
// Close the window, as the close box and Alt+F4 do.
inline constexpr int kCloseRequest = -1;
// End the session, as Windows does at logoff: it asks the window; if the
// window agrees, it tells it that the session ends and then ends the process.
inline constexpr int kLogoff = -2;
// Only ask the window, as Windows does before a logoff that another program
// then refuses.
inline constexpr int kSessionQuery = -3;
// Tell the window that the session goes on after all, as Windows does once
// another program has refused.
inline constexpr int kSessionGoesOn = -4;

// Makes window the desktop's shell window, once no other is, as Explorer
// does; undocumented, and so not declared in the headers.
extern "C" BOOL WINAPI SetShellWindow(HWND window);

// The class of TARVIN's main window, by which other programs find it.
inline constexpr wchar_t kMainWindowClass[] = L"TARVIN.MainWindow";

// The file of this name in the directory of the running program.
std::wstring BesideThisProgram(const wchar_t* name);

class TarvinProcess {
public:
    // Starts the program beside the running one, with these arguments;
    // Window() is null if it did not start.
    explicit TarvinProcess(const wchar_t* program = L"TARVIN.exe", const std::wstring& arguments = {});
    // Ends the process if it still runs.
    ~TarvinProcess();

    // The main window once it is visible, looked for every millisecond; null
    // after a timeout or once the process has ended.
    HWND Window() const;
    // The message box ("#32770" captioned "TARVIN") the program shows now; null if none.
    HWND MessageBoxShown() const;
    // Whether the main window keeps the busy pointer over its client area,
    // as it should while a command runs, rather than leave it to its class.
    bool BusyPointer() const;

    // The lines of a list box of the main window, in order; empty when the
    // window is gone.
    std::vector<std::wstring> Lines(int listId) const;
    // The number of lines of a list box; -1 when the window is gone.
    int LineCount(int listId) const;
    // Adds to a list box's selection, for each text, the first line of that
    // text that no text before it in this call took; false when a text has
    // no such line.
    bool Select(int listId, const std::vector<std::wstring>& texts) const;

    // Clicks a button and returns once its handler has run; false when it did
    // not in time. Only for commands that show no message box.
    bool Click(int buttonId) const;
    // Makes a request (kStart, a button's click, kLogoff, kSessionQuery or
    // kSessionGoesOn), answers every message box it brings with OK, and
    // returns their prompts once it has been handled, each one of a box that
    // does not belong to the main window after "<ownerless> ", of one the main
    // window shows without the busy pointer after "<not busy> "; a last line
    // "<no end>" when it was not in time. While the first box is up, before it
    // is answered, atFirstMessage (unless 0) is made too: a click or a close
    // request is posted, as input arrives, a logoff is sent, as Windows sends
    // it. The process may then end.
    std::vector<std::wstring> RequestAnswering(int request, int atFirstMessage = 0) const;

    // The exit code once the process has ended; STILL_ACTIVE after a timeout.
    DWORD ExitCode() const;

private:
    bool Running() const;
    // A visible window of this class, and caption unless null, that the program shows now; null if none.
    HWND Find(const wchar_t* className, const wchar_t* caption) const;
    // Makes a request to the main window while a message box is up, as
    // RequestAnswering says; nothing for 0.
    void Interrupt(HWND window, int request) const;
    // Asks the main window to end the session as Windows does and ends it if
    // it agrees (kLogoff), or only asks (kSessionQuery), or tells it that the
    // session goes on (kSessionGoesOn); false when the window did not answer in time.
    bool EndSession(HWND window, int request) const;
    // The prompt of a message box that is up, marked as RequestAnswering says;
    // makes request (unless 0) while it is up, then answers it with OK.
    std::wstring Answer(HWND box, int request) const;

    UniqueKernelHandle process_;
    DWORD threadId_ = 0;
};

}  // namespace tarvin::driver
