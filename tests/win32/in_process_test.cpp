// TARVIN's Win32 code called in this program's own process, where failures
// can be staged that TARVIN.exe never meets under Wine: a class of this
// program's own that stands in for a system control class, and a DLL planted
// in the program's folder.

#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <tuple>
#include <thread>

#include "app/control_ids.h"
#include "app/win32/layout.h"
#include "app/win32/main_window.h"
#include "app/win32/tooltips.h"
#include "access/win32/win32_account_directory.h"
#include "access/win32/win32_desk_shell.h"
#include "common/scope_exit.h"
#include "common/win32/system_library.h"
#include "registry/win32/native_registry.h"
#include "tests/driver/tarvin_process.h"
#include "tests/driver/test_registry.h"

namespace tarvin {
namespace {

// A tooltip control of this program's own, which refuses every tool: a class
// local to the program, which every window that TARVIN's code creates with
// the program's instance gets instead of the system's.
LRESULT CALLBACK RefusingTools(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == TTM_ADDTOOLW ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

// Refuses to create the window's ">" button, on the thread it is set for.
// First it sends the window that the refusal fails WM_DESTROY, as Windows
// does once that window's WM_CREATE has failed, which Wine 8 leaves out.
LRESULT CALLBACK RefusingTheMoveSelectedButton(int code, WPARAM wParam, LPARAM lParam) {
    const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (code != HCBT_CREATEWND || created->lpcs->hMenu != reinterpret_cast<HMENU>(kMoveSelected)) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    SendMessageW(created->lpcs->hwndParent, WM_DESTROY, 0, 0);
    return TRUE;
}

// The path of this name in the system folder.
std::wstring InSystemFolder(const wchar_t* name) {
    wchar_t system[MAX_PATH];
    return std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\" + name;
}

// The file that module was loaded from, which it then frees; empty for none.
std::wstring LoadedFrom(UniqueModule module) {
    wchar_t path[MAX_PATH];
    return module ? std::wstring(path, GetModuleFileNameW(module.get(), path, MAX_PATH)) : std::wstring();
}

// A button that fails to appear fails the window, which says so by the call
// that failed, in a message box that stays until it is answered (with no
// message loop running yet, a quit message would close it at once).
TEST(InProcessTest, AControlThatFailsToAppearIsReportedUntilTheUserAnswers) {
    std::atomic<bool> created{true};
    std::thread creating([&] {
        const HHOOK refusing = SetWindowsHookExW(WH_CBT, RefusingTheMoveSelectedButton, nullptr, GetCurrentThreadId());
        created = MainWindow(GetModuleHandleW(nullptr)).Create();
        UnhookWindowsHookEx(refusing);
    });
    HWND box = nullptr;  // TARVIN's message box, within ten seconds
    for (int waited = 0; !(box = FindWindowW(L"#32770", L"TARVIN")) && waited < 10000; waited += 10) Sleep(10);
    Sleep(500);
    wchar_t prompt[256] = {};
    GetDlgItemTextW(box, 0xFFFF, prompt, 256);  // the static control with a message box's prompt
    EXPECT_TRUE(box && IsWindowVisible(box)) << "no message box, or one that did not wait";
    EXPECT_THAT(std::wstring(prompt), testing::StartsWith(L"(CreateWindowEx)"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    creating.join();
    EXPECT_FALSE(created);
}

// Every button has its tooltip, with its text, and nothing else has one. A
// tool that the tooltip control refuses is reported as its own failure.
TEST(InProcessTest, EveryButtonHasItsTooltipAndARefusedOneIsReported) {
    const HWND owner = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    for (const ControlLayout& control : kControls) {
        CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 0, 0, owner, reinterpret_cast<HMENU>(control.id), nullptr,
                        nullptr);
    }
    const Result<HWND> tooltips = CreateTooltips(owner, GetModuleHandleW(nullptr));
    ASSERT_TRUE(tooltips);
    std::map<int, std::wstring> texts;
    wchar_t text[256];
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    for (WPARAM i = 0; tool.lpszText = text, SendMessageW(*tooltips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)); ++i) {
        texts[GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))] = text;
    }
    EXPECT_EQ(texts, (std::map<int, std::wstring>{{kMoveSelected, L"選択を削除リストに移動"},
                                                  {kMoveSelectedBack, L"選択を選択リストに戻す"},
                                                  {kMoveAll, L"全てを削除リストに移動"},
                                                  {kMoveAllBack, L"全てを選択リストに戻す"},
                                                  {kRunDeletionButton, L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します"},
                                                  {kExitButton, L"このプログラムを終了します"}}));
    WNDCLASSW refusing{};
    refusing.lpfnWndProc = RefusingTools;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = TOOLTIPS_CLASSW;
    ASSERT_TRUE(RegisterClassW(&refusing));
    EXPECT_EQ(CreateTooltips(owner, refusing.hInstance).failure().label, L"(TTM_ADDTOOL)");
    UnregisterClassW(TOOLTIPS_CLASSW, refusing.hInstance);
    DestroyWindow(owner);
}

// The client area's size and each control's place in it, with the height of
// a list's line, by control id (0: the client area).
std::map<int, std::tuple<LONG, LONG, LONG, LONG, LRESULT>> Layout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    std::map<int, std::tuple<LONG, LONG, LONG, LONG, LRESULT>> layout{{0, {0, 0, client.right, client.bottom, 0}}};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        layout[GetDlgCtrlID(child)] = {rect.left, rect.top, rect.right, rect.bottom, SendMessageW(child, LB_GETITEMHEIGHT, 0, 0)};
    }
    return layout;
}

// After a change to another DPI, for which Windows suggests a frame (here,
// the one around the client area that the new DPI asks for), the layout of
// TARVIN.exe's window started at that DPI, its lists' lines in a font made
// anew for it. (The pictures of windows started at 96 and 144 DPI hold their
// layouts, frames and captions, pixel for pixel.)
TEST(InProcessTest, AfterADpiChangeTheLayoutIsThatOfAWindowStartedAtTheNewDpi) {
    MainWindow main(GetModuleHandleW(nullptr));
    ASSERT_TRUE(main.Create());
    const HWND window = FindWindowW(L"TARVIN.MainWindow", nullptr);  // this program's: TARVIN.exe starts below
    const HDC screen = GetDC(nullptr);
    const DWORD dpi = GetDeviceCaps(screen, LOGPIXELSY) == 144 ? 96 : 144;
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, 4), 0);
    ASSERT_TRUE(driver::SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1"}));  // nothing to report at start
    const driver::TarvinProcess started;
    const auto expected = Layout(started.Window());
    RECT suggested{};
    GetWindowRect(window, &suggested);
    const auto before = Layout(window).at(0);
    suggested.right += std::get<2>(expected.at(0)) - std::get<2>(before);
    suggested.bottom += std::get<3>(expected.at(0)) - std::get<3>(before);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(Layout(window), expected) << dpi;
}

// The desktop's shell window belongs to this program: its process is found,
// and its user, from the list of processes and from its token alike, is the
// account this program runs as, in its own session.
TEST(InProcessTest, TheShellWindowsProcessAndItsUserAreFound) {
    const HWND shell = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(driver::SetShellWindow(shell));
    Win32DeskShell desk;
    ASSERT_EQ(desk.ShellProcess(), GetCurrentProcessId());
    for (const Result<ProcessUser>& user : {desk.ListedUser(GetCurrentProcessId()), desk.TokenUser(GetCurrentProcessId())}) {
        ASSERT_TRUE(user) << testing::PrintToString(user.failure().label);
        EXPECT_EQ(user->sid, *Win32AccountDirectory().ProcessUserSid());
        EXPECT_TRUE(user->inOwnSession);
    }
    DestroyWindow(shell);
}

// A key that a native call opened is closed with its owner.
TEST(InProcessTest, ANativeKeyGoesWithItsOwner) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &opened), ERROR_SUCCESS);
    UniqueNativeKey{opened}.reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(opened, &flags));
}

// Each defence against a DLL planted in the program's folder holds on its
// own: with a copy of wtsapi32.dll beside this program, LoadSystemLibrary
// alone, or RestrictDllSearchToSystemFolder alone (for the rest of this
// program's run), takes the system's. Without either, the copy is taken.
TEST(InProcessTest, EachDefenceAgainstAPlantedDllHoldsOnItsOwn) {
    constexpr wchar_t kName[] = L"wtsapi32.dll";
    const std::wstring planted = driver::BesideThisProgram(kName);
    ASSERT_TRUE(CopyFileW(InSystemFolder(kName).c_str(), planted.c_str(), FALSE));
    const ScopeExit removed([&] { DeleteFileW(planted.c_str()); });
    EXPECT_EQ(LoadedFrom(UniqueModule(LoadLibraryW(kName))), planted);
    Result<UniqueModule> loaded = LoadSystemLibrary(kName);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(LoadedFrom(std::move(*loaded)), InSystemFolder(kName));
    RestrictDllSearchToSystemFolder();
    EXPECT_EQ(LoadedFrom(UniqueModule(LoadLibraryW(kName))), InSystemFolder(kName));
}

}  // namespace
}  // namespace tarvin
