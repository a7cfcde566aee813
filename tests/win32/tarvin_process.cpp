#include "tests/win32/tarvin_process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/control_ids.h"
#include "common/user_interface.h"
#include "products/win32/win32_product_list.h"

namespace tarvin::testing {

namespace {

constexpr DWORD kTimeoutMs = 30000;  // generous: waits end as soon as what they wait for is there
// A command may work through tens of thousands of lines on a busy machine.
constexpr DWORD kCommandTimeoutMs = 60000;
constexpr DWORD kPollMs = 20;
constexpr wchar_t kMessageBoxClass[] = L"#32770";
// The static control that holds a message box's prompt.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1))));
    return text;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* caption;  // any caption when null
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId == search.processId && IsWindowVisible(window) &&
        std::wstring(className) == search.className &&
        (!search.caption || WindowText(window) == search.caption)) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::wstring TarvinPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path, length);
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"TARVIN.exe";
}

TarvinProcess::TarvinProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + TarvinPath() + L"\"";
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        ADD_FAILURE() << "TARVIN.exe did not start: " << GetLastError();
        return;
    }
    process_.reset(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    processId_ = started.dwProcessId;
}

TarvinProcess::~TarvinProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), kTimeoutMs);
    }
}

std::vector<HWND> TarvinProcess::TopLevelWindows(const wchar_t* className,
                                                 const wchar_t* caption) const {
    WindowSearch search{processId_, className, caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TarvinProcess::WaitForWindow(const wchar_t* className, const wchar_t* caption) const {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
        const auto windows = TopLevelWindows(className, caption);
        if (!windows.empty()) return windows.front();
        if (WaitForSingleObject(process_.get(), kPollMs) != WAIT_TIMEOUT) break;  // ended
    }
    return nullptr;
}

HWND TarvinProcess::WaitForMainWindow() const {
    return WaitForWindow(kMainWindowClass, nullptr);
}

HWND TarvinProcess::WaitForMessageBox() const {
    return WaitForWindow(kMessageBoxClass, kApplicationTitle);
}

std::vector<HWND> TarvinProcess::MessageBoxes() const {
    return TopLevelWindows(kMessageBoxClass, kApplicationTitle);
}

std::wstring TarvinProcess::MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, kMessageBoxTextId));
}

void TarvinProcess::Dismiss(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; IsWindow(box) && waited < kTimeoutMs; waited += kPollMs) Sleep(kPollMs);
    EXPECT_FALSE(IsWindow(box)) << "the message box did not close";
}

HWND TarvinProcess::Control(int controlId) const {
    const HWND window = WaitForMainWindow();
    EXPECT_NE(window, nullptr) << "TARVIN's window is gone";
    return GetDlgItem(window, controlId);
}

std::vector<std::wstring> TarvinProcess::ListLines(int controlId) const {
    // List box messages carry their text across processes.
    const Win32ProductList list(Control(controlId));
    std::vector<std::wstring> lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

int TarvinProcess::LineCount(int controlId) const {
    return Win32ProductList(Control(controlId)).ListCount();
}

void TarvinProcess::Select(int listId, int line) const {
    SendMessageW(Control(listId), LB_SETSEL, TRUE, line);
}

void TarvinProcess::Click(int controlId) const {
    PostMessageW(Control(controlId), BM_CLICK, 0, 0);
}

bool TarvinProcess::SendClick(int controlId) const {
    // The button tells the window with a sent message, so the click returns
    // once the window's handler has run.
    return SendMessageTimeoutW(Control(controlId), BM_CLICK, 0, 0, SMTO_NORMAL,
                               kCommandTimeoutMs, nullptr) != 0;
}

void TarvinProcess::ClickAndWait(int controlId) const {
    EXPECT_TRUE(SendClick(controlId)) << "the click on " << controlId << " was not handled in time";
}

std::vector<std::wstring> TarvinProcess::ClickAnsweringMessages(
    int controlId, const std::function<void()>& atFirstMessage) const {
    std::atomic<bool> handled{false};
    std::thread click([&] {
        EXPECT_TRUE(SendClick(controlId)) << "the command did not end in time";
        handled = true;
    });
    std::vector<std::wstring> prompts;
    while (!handled) {
        const auto boxes = MessageBoxes();
        if (boxes.empty()) {
            Sleep(kPollMs);
            continue;
        }
        prompts.push_back(MessageBoxText(boxes.front()));
        if (prompts.size() == 1 && atFirstMessage) atFirstMessage();
        Dismiss(boxes.front());
    }
    click.join();
    if (!atFirstMessage) {
        EXPECT_EQ(WaitForSingleObject(process_.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << "TARVIN ended during the command";
    }
    return prompts;
}

std::vector<std::wstring> TarvinProcess::AnswerStartMessages() const {
    std::vector<std::wstring> prompts;
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
        if (!TopLevelWindows(kMainWindowClass, nullptr).empty()) return prompts;
        const auto boxes = MessageBoxes();
        if (!boxes.empty()) {
            prompts.push_back(MessageBoxText(boxes.front()));
            Dismiss(boxes.front());
        } else if (WaitForSingleObject(process_.get(), kPollMs) != WAIT_TIMEOUT) {
            break;
        }
    }
    ADD_FAILURE() << "TARVIN's window did not show";
    return prompts;
}

bool TarvinProcess::WaitForExit() const {
    return WaitForSingleObject(process_.get(), kTimeoutMs) == WAIT_OBJECT_0;
}

DWORD TarvinProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace tarvin::testing
