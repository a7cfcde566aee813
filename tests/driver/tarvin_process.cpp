#include "tests/driver/tarvin_process.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "app/control_ids.h"

namespace tarvin::driver {

namespace {

// Generous: waits end as soon as what they wait for is there, and a command
// may work through tens of thousands of lines on a busy machine.
constexpr DWORD kTimeoutMs = 60000;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static control with a message box's prompt
constexpr UINT kEndedBySession = 0xE5;  // the exit code of a process that the end of the session ended

// Sends a message and waits for it to be handled; false when it was not in time.
bool SendWaiting(HWND window, UINT message, WPARAM wParam, DWORD_PTR* result = nullptr, LPARAM lParam = 0) {
    return window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, result);
}

// Whether window keeps the busy pointer over its client area rather than
// leave the pointer to its class, which answers FALSE.
bool KeepsBusyPointer(HWND window) {
    return SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

TarvinProcess::TarvinProcess(const wchar_t* program, const std::wstring& arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + BesideThisProgram(program) + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
        process_.reset(started.hProcess);
        UniqueKernelHandle thread(started.hThread);
        threadId_ = started.dwThreadId;
    }
}

TarvinProcess::~TarvinProcess() {
    if (Running() && TerminateProcess(process_.get(), 1)) WaitForSingleObject(process_.get(), kTimeoutMs);
}

bool TarvinProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

// Every window of the program is made by its main thread.
HWND TarvinProcess::Find(const wchar_t* className, const wchar_t* caption) const {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, caption)) &&
           (GetWindowThreadProcessId(window, nullptr) != threadId_ || !IsWindowVisible(window))) {
    }
    return window;
}

HWND TarvinProcess::Window() const {
    for (const ULONGLONG deadline = GetTickCount64() + kTimeoutMs; Running() && GetTickCount64() < deadline; Sleep(1)) {
        if (const HWND window = Find(kMainWindowClass, nullptr)) return window;
    }
    return nullptr;
}

bool TarvinProcess::BusyPointer() const {
    return KeepsBusyPointer(Window());
}

HWND TarvinProcess::MessageBoxShown() const {
    return Find(L"#32770", L"TARVIN");
}

std::vector<std::wstring> TarvinProcess::Lines(int listId) const {
    // List box messages carry their text across processes.
    const HWND list = GetDlgItem(Window(), listId);
    std::vector<std::wstring> lines(static_cast<size_t>(std::max(LineCount(listId), 0)));
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)));
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(lines[i].data()));
    }
    return lines;
}

int TarvinProcess::LineCount(int listId) const {
    DWORD_PTR count = 0;
    return SendWaiting(GetDlgItem(Window(), listId), LB_GETCOUNT, 0, &count) ? static_cast<int>(count) : -1;
}

bool TarvinProcess::Select(int listId, const std::vector<std::wstring>& texts) const {
    const HWND list = GetDlgItem(Window(), listId);
    std::vector<std::wstring> lines = Lines(listId);
    for (const std::wstring& text : texts) {
        const auto line = std::find(lines.begin(), lines.end(), text);
        if (line == lines.end()) return false;
        *line = L"\\";  // taken, by a text no line can have: the next equal text takes the next equal line
        SendMessageW(list, LB_SETSEL, TRUE, line - lines.begin());
    }
    return true;
}

bool TarvinProcess::Click(int buttonId) const {
    // The button tells the window with a sent message, so the click returns
    // once the window's handler has run.
    return SendWaiting(GetDlgItem(Window(), buttonId), BM_CLICK, 0);
}

// The window takes these also while a message box of its own is up, and
// before it shows.
void TarvinProcess::Interrupt(HWND window, int request) const {
    if (request == kLogoff) EndSession(window, kLogoff);
    if (request == kCloseRequest) PostMessageW(window, WM_CLOSE, 0, 0);
    if (request > 0) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(request, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, request)));
    }
}

// Windows ends a process whose windows have agreed and been told, whether or
// not it has ended by itself.
bool TarvinProcess::EndSession(HWND window, int request) const {
    if (request == kSessionGoesOn) return SendWaiting(window, WM_ENDSESSION, FALSE, nullptr, ENDSESSION_LOGOFF);
    DWORD_PTR agreed = FALSE;
    if (!SendWaiting(window, WM_QUERYENDSESSION, 0, &agreed, ENDSESSION_LOGOFF)) return false;
    if (request == kLogoff && agreed && SendWaiting(window, WM_ENDSESSION, TRUE, nullptr, ENDSESSION_LOGOFF) &&
        IsWindow(window)) {
        TerminateProcess(process_.get(), kEndedBySession);
    }
    return true;
}

std::wstring TarvinProcess::Answer(HWND box, int request) const {
    // Every message box belongs to the main window, which it keeps disabled
    // while it is up, and comes during a command, under the busy pointer.
    const HWND owner = GetWindow(box, GW_OWNER);
    wchar_t ownerClass[64] = {}, prompt[1024];
    GetClassNameW(owner, ownerClass, 64);
    const int length = GetWindowTextW(GetDlgItem(box, kMessageBoxTextId), prompt, 1024);
    const wchar_t* const mark = std::wstring(ownerClass) != kMainWindowClass ? L"<ownerless> "
                                : !KeepsBusyPointer(owner)                   ? L"<not busy> "
                                                                             : L"";
    const std::wstring answered = mark + std::wstring(prompt, length);
    Interrupt(owner, request);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    while (IsWindowVisible(box) && GetTickCount64() < deadline) Sleep(1);
    return answered;
}

std::vector<std::wstring> TarvinProcess::RequestAnswering(int request, int atFirstMessage) const {
    std::atomic<bool> handled{false};
    // Also done when the request has ended the program.
    std::thread requesting([&] {
        const bool made = request == kStart ? Window() != nullptr
                          : request < 0     ? EndSession(Window(), request)
                                            : Click(request);
        handled = made || !Running();
    });
    std::vector<std::wstring> prompts;
    for (const ULONGLONG deadline = GetTickCount64() + kTimeoutMs; !handled && GetTickCount64() < deadline; Sleep(1)) {
        if (const HWND box = MessageBoxShown()) prompts.push_back(Answer(box, prompts.empty() ? atFirstMessage : 0));
    }
    if (!handled) prompts.push_back(L"<no end>");
    requesting.join();
    return prompts;
}

DWORD TarvinProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.get(), kTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace tarvin::driver
