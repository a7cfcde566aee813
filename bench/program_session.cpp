#include "bench/program_session.h"

#include "app/control_ids.h"
#include "bench/stopwatch.h"

namespace tarvin::bench {

namespace {

// Generous: the largest lists take seconds under Wine on a busy machine.
constexpr DWORD kTimeoutMs = 600000;

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

ProgramSession::ProgramSession(const std::wstring& path, int lines) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + path + L"\"";
    PROCESS_INFORMATION started{};
    const Stopwatch clock;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return;
    }
    process_.reset(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    threadId_ = started.dwThreadId;

    // Both programs show their window only once the registered list is filled;
    // the count is checked all the same. Polling every millisecond keeps the
    // error of the figure small beside the shortest start.
    while (clock.ElapsedMs() < kTimeoutMs) {
        if (!window_) EnumThreadWindows(threadId_, TakeVisibleWindow, reinterpret_cast<LPARAM>(&window_));
        if (window_ && LineCount(kList1) == lines) {
            startMs_ = clock.ElapsedMs();
            return;
        }
        if (WaitForSingleObject(process_.get(), 1) == WAIT_OBJECT_0) return;
    }
}

ProgramSession::~ProgramSession() {
    if (!process_) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), INFINITE);
    }
}

int ProgramSession::LineCount(int listId) const {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(GetDlgItem(window_, listId), LB_GETCOUNT, 0, 0, SMTO_NORMAL,
                             kTimeoutMs, &count)) {
        return -1;
    }
    return static_cast<int>(count);
}

bool ProgramSession::ListsHold(int list1Lines, int list2Lines) const {
    return LineCount(kList1) == list1Lines && LineCount(kList2) == list2Lines;
}

double ProgramSession::ClickMs(int buttonId, int list1Lines, int list2Lines) const {
    if (!window_) return -1;
    DWORD_PTR result = 0;
    const Stopwatch clock;
    // Sent, not posted: the call returns when the click's handler has.
    if (!SendMessageTimeoutW(GetDlgItem(window_, buttonId), BM_CLICK, 0, 0, SMTO_NORMAL,
                             kTimeoutMs, &result)) {
        return -1;
    }
    const double elapsed = clock.ElapsedMs();
    return ListsHold(list1Lines, list2Lines) ? elapsed : -1;
}

}  // namespace tarvin::bench
