#pragma once

#include <windows.h>

#include <string>

#include "common/win32/unique_handle.h"

namespace tarvin::bench {

// One run of a program with TARVIN's window and control ids (TARVIN.exe or
// the baseline), started and driven from outside for timing.
class ProgramSession {
public:
    // Starts the program and waits until its window is visible with `lines`
    // lines in the registered list.
    ProgramSession(const std::wstring& path, int lines);
    // Closes the window; ends the process if it does not go.
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    // Milliseconds from just before the process was created until the window
    // was seen visible with all its lines; negative when that never came.
    double StartMs() const { return startMs_; }

    // Clicks the button and waits until its handler has returned with the
    // registered list holding list1Lines lines and the delete list
    // list2Lines. Returns the milliseconds that took; negative when the
    // handler did not return in time or the lists hold other counts.
    double ClickMs(int buttonId, int list1Lines, int list2Lines) const;

private:
    bool ListsHold(int list1Lines, int list2Lines) const;
    int LineCount(int listId) const;

    UniqueKernelHandle process_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    double startMs_ = -1;
};

}  // namespace tarvin::bench
