// TARVIN's Win32 code called in this program's own process, where failures
// can be staged that TARVIN.exe never meets under Wine: a class of this
// program's own that stands in for a system control class, and a DLL planted
// in the program's folder.

#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/control_ids.h"
#include "app/win32/main_window.h"
#include "app/win32/tooltips.h"
#include "tests/driver/tarvin_process.h"

namespace tarvin {
namespace {

// A tooltip control of this program's own, which refuses every tool: a class
// local to the program, which every window that TARVIN's code creates with
// the program's instance gets instead of the system's.
LRESULT CALLBACK RefusingTools(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == TTM_ADDTOOLW ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

// Refuses to create the window's ">" button, on the thread it is set for;
// and, as Windows does when a window's WM_CREATE fails it, sends the window
// that failed WM_DESTROY, which Wine 8 leaves out (and whose hook it gives
// no WM_CREATE's result).
std::atomic<bool> refused{false};
LRESULT CALLBACK RefusingTheMoveButton(int code, WPARAM wParam, LPARAM lParam) {
    const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (code == HCBT_CREATEWND && created->lpcs->hMenu == reinterpret_cast<HMENU>(kMoveSelected)) return refused = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK DestroyingTheFailedWindow(int code, WPARAM wParam, LPARAM lParam) {
    const auto* handled = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && handled->message == WM_CREATE && refused) SendMessageW(handled->hwnd, WM_DESTROY, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The message box of TARVIN's title that shows within ten seconds; null if none does.
HWND AwaitMessageBox() {
    HWND box = nullptr;
    for (int waited = 0; !(box = FindWindowW(L"#32770", L"TARVIN")) && waited < 10000; waited += 10) Sleep(10);
    return box;
}

// A button that fails to appear fails the window, which says so by the call
// that failed, in a message box that stays until it is answered (with no
// message loop running yet, a quit message would close it at once).
TEST(InProcessTest, AControlThatFailsToAppearIsReportedUntilTheUserAnswers) {
    std::atomic<bool> created{true};
    std::thread creating([&] {
        const HHOOK refusing = SetWindowsHookExW(WH_CBT, RefusingTheMoveButton, nullptr, GetCurrentThreadId());
        const HHOOK destroying = SetWindowsHookExW(WH_CALLWNDPROCRET, DestroyingTheFailedWindow, nullptr, GetCurrentThreadId());
        created = MainWindow(GetModuleHandleW(nullptr)).Create();
        UnhookWindowsHookEx(destroying);
        UnhookWindowsHookEx(refusing);
    });
    const HWND box = AwaitMessageBox();
    Sleep(500);
    wchar_t prompt[256] = {};
    GetDlgItemTextW(box, 0xFFFF, prompt, 256);  // the static control with a message box's prompt
    EXPECT_TRUE(box && IsWindowVisible(box)) << "no message box, or one that did not wait";
    EXPECT_THAT(std::wstring(prompt), testing::StartsWith(L"(CreateWindowEx)"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    creating.join();
    EXPECT_FALSE(created);
}

// The tooltip control refuses a tool: that is reported as its own failure.
TEST(InProcessTest, ARefusedTooltipIsReportedAsSuch) {
    WNDCLASSW refusing{};
    refusing.lpfnWndProc = RefusingTools;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = TOOLTIPS_CLASSW;
    ASSERT_TRUE(RegisterClassW(&refusing));
    const HWND owner = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const Result<HWND> tooltips = CreateTooltips(owner, GetModuleHandleW(nullptr));
    ASSERT_FALSE(tooltips);
    EXPECT_EQ(tooltips.failure().label, L"(TTM_ADDTOOL)");
    DestroyWindow(owner);
    UnregisterClassW(TOOLTIPS_CLASSW, refusing.hInstance);
}

// Runs a program and returns its exit code; -1 if it did not run to its end.
DWORD RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        return static_cast<DWORD>(-1);
    }
    const UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.get(), &code);
    return code;
}

// Each defence against a DLL planted in the program's folder holds on its
// own: beside a copy of wtsapi32.dll, a program that only restricts the
// search at start, or one that only loads the DLL from the system folder,
// takes the system's. Without either, it takes the copy.
TEST(InProcessTest, EachDefenceAgainstAPlantedDllHoldsOnItsOwn) {
    const std::wstring planted = driver::BesideThisProgram(L"Planted\\");
    wchar_t system[MAX_PATH];
    const std::wstring dll = std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\wtsapi32.dll";
    CreateDirectoryW(planted.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(dll.c_str(), (planted + L"wtsapi32.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(driver::BesideThisProgram(L"load_probe.exe").c_str(),
                          (planted + L"load_probe.exe").c_str(), FALSE));
    for (const auto& [defence, exitCode] : {std::pair(L"none", 1), {L"restrict", 0}, {L"system", 0}}) {
        EXPECT_EQ(RunToEnd(L"\"" + planted + L"load_probe.exe\" " + defence), DWORD(exitCode)) << defence;
    }
}

}  // namespace
}  // namespace tarvin
