// TARVIN.exe's window from outside (keyboard navigation, focus, tooltips),
// and its manifest, read as Windows reads it. The pictures of the
// window at 96 and 144 DPI (scripts/window-screenshot.sh) hold its frame,
// caption and layout at either; the layout after a change of DPI is tested
// in process.

#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/control_ids.h"
#include "tests/driver/tarvin_process.h"
#include "tests/driver/test_registry.h"

namespace tarvin {
namespace {

using namespace driver;

// The window with the keyboard focus in window's thread; null if none.
HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Waits up to five seconds for done() to hold.
template <typename Done>
void WaitUntil(Done done) {
    for (int waited = 0; !done() && waited < 5000; waited += 20) Sleep(20);
}

// Posts a key press, down and up, to the focused window, as the keyboard would.
void PressKey(HWND window, WPARAM key) {
    PostMessageW(FocusedWindow(window), WM_KEYDOWN, key, 1);
    PostMessageW(FocusedWindow(window), WM_KEYUP, key, 0xC0000001);
}

// Presses Tab and waits until the focus has moved; returns the id of where it went.
int PressTab(HWND window) {
    const HWND before = FocusedWindow(window);
    PressKey(window, VK_TAB);
    WaitUntil([&] { return FocusedWindow(window) != before; });
    return GetDlgCtrlID(FocusedWindow(window));
}

// Tab goes from the delete list to ">" although ">>" stands above it. No
// button is the default or the cancel button: Enter in a list and Escape
// press none, and the delete list keeps its lines. (A button that has the
// focus takes Enter as a click, as every Windows push button does.) The
// focus stays where it was while the user works in another window. Every
// button has its tooltip, made once the window shows.
TEST(WindowTest, KeysAndTooltips) {
    EXPECT_TRUE(SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD"}));
    const TarvinProcess tarvin;
    const HWND window = tarvin.Window();
    ASSERT_NE(window, nullptr);
    WaitUntil([&] { return FocusedWindow(window); });  // the focus comes with activation, after the window shows
    ASSERT_EQ(GetDlgCtrlID(FocusedWindow(window)), kRegisteredList);
    // Something for a deletion to delete, moved without moving the focus as a click would.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kMoveAll, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, kMoveAll)));
    PressKey(window, VK_RETURN);
    PressKey(window, VK_ESCAPE);
    // Posted keys are handled in order: once Tab has moved the focus, the keys before it have been.
    std::vector<int> visited;
    for (int tabs = 0; tabs < 8; ++tabs) visited.push_back(PressTab(window));
    EXPECT_THAT(visited, testing::ElementsAre(kDeleteList, kMoveSelected, kMoveSelectedBack, kMoveAll, kMoveAllBack,
                                              kRunDeletionButton, kExitButton, kRegisteredList));
    EXPECT_EQ(tarvin.LineCount(kDeleteList), 2);
    // Back in the window after working in another, the focus is where it was.
    EXPECT_EQ(PressTab(window), kDeleteList);
    for (const WORD state : {WA_INACTIVE, WA_ACTIVE}) SendMessageW(window, WM_ACTIVATE, state, 0);
    EXPECT_EQ(GetDlgCtrlID(FocusedWindow(window)), kDeleteList);
    // One tool a button (what each says is tested in process).
    LRESULT tools = 0;
    WaitUntil([&] {
        HWND tooltip = nullptr;
        while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tooltip, GW_OWNER) != window) {
        }
        return (tools = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)) > 0;
    });
    EXPECT_EQ(tools, 6);
}

// A manifest for the highest available level (the administrator's full
// rights), visual styles and DPI awareness.
TEST(Executable, Manifest) {
    const HMODULE module = LoadLibraryExW(BesideThisProgram(L"TARVIN.exe").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const HRSRC found = module ? FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST) : nullptr;
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<requestedExecutionLevel level="highestAvailable")"));
    EXPECT_THAT(manifest, testing::HasSubstr(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"));
    // Per-monitor DPI awareness: version 2 on Windows 10, per monitor on 8.1, the system's DPI on 7.
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>)"));
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>)"));
    FreeLibrary(module);
}

}  // namespace
}  // namespace tarvin
