// TARVIN.exe's window from outside (keyboard navigation, focus, tooltips),
// and its icon and manifest, read as Windows reads them. The pictures of the
// window at 96 and 144 DPI (scripts/window-screenshot.sh) hold its frame,
// caption and layout at either; the layout after a change of DPI is tested
// in process.

#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/control_ids.h"
#include "resources/resource_ids.h"
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

class WindowTest : public testing::Test {
protected:
    // Starts TARVIN.exe at 96 DPI (the LogPixels that Wine gives the
    // processes it starts) and waits for its window, active with a control
    // focused (the focus comes with activation, after the window shows).
    HWND Start() {
        const DWORD dpi = 96;
        EXPECT_TRUE(SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD"}));
        EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, 4), 0);
        tarvin_.emplace();
        const HWND window = tarvin_->Window();
        WaitUntil([&] { return !window || FocusedWindow(window); });
        return window;
    }

    // Presses Tab and waits until the focus has moved; returns the id of where it went.
    static int PressTab(HWND window) {
        const HWND before = FocusedWindow(window);
        PressKey(window, VK_TAB);
        WaitUntil([&] { return FocusedWindow(window) != before; });
        return GetDlgCtrlID(FocusedWindow(window));
    }

    std::optional<TarvinProcess> tarvin_;
};

// Tab goes from the delete list to ">" although ">>" stands above it. No
// button is the default or the cancel button: Enter in a list and Escape
// press none, and the delete list keeps its lines. (A button that has the
// focus takes Enter as a click, as every Windows push button does.) The
// focus stays where it was while the user works in another window. Every
// button has its tooltip, and nothing else has one.
TEST_F(WindowTest, KeysFocusAndTooltips) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
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
    EXPECT_EQ(tarvin_->LineCount(kDeleteList), 2);
    // The focus stays with the control that had it while the user works in
    // another window, and is there again on the way back.
    EXPECT_EQ(PressTab(window), kDeleteList);
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    for (const HWND active : {other, window}) {
        SetForegroundWindow(active);
        WaitUntil([&] { return (FocusedWindow(window) != nullptr) == (active == window); });
    }
    EXPECT_EQ(GetDlgCtrlID(FocusedWindow(window)), kDeleteList);
    DestroyWindow(other);
    // The tooltips are made once the window shows, not with it: one tool a
    // button (what each says is tested in process).
    LRESULT tools = 0;
    WaitUntil([&] {
        HWND tooltip = nullptr;
        while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tooltip, GW_OWNER) != window) {
        }
        return (tools = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)) > 0;
    });
    EXPECT_EQ(tools, 6);
}

// The icon's 128 by 128 image in 16 colours; a manifest for the highest
// available level (the administrator's full rights), visual styles and DPI awareness.
TEST(Executable, IconAndManifest) {
    const std::wstring path = BesideThisProgram(L"TARVIN.exe");
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const auto resource = [module](const wchar_t* name, const wchar_t* type) {
        const HRSRC found = FindResourceW(module, name, type);
        return std::string(found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : "",
                           found ? SizeofResource(module, found) : 0);
    };
    // The icon's directory: a 6-byte header, then 14 bytes an image: width,
    // height, colour count, a reserved byte, planes (2 bytes), bits per pixel.
    const std::string group = resource(MAKEINTRESOURCEW(IDI_TARVIN), RT_GROUP_ICON);
    EXPECT_THAT(group, testing::HasSubstr(std::string("\x80\x80\x10\0\1\0\4\0", 8)));
    const std::string manifest = resource(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<requestedExecutionLevel level="highestAvailable")"));
    EXPECT_THAT(manifest, testing::HasSubstr(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"));
    // Per-monitor DPI awareness: version 2 on Windows 10, per monitor on 8.1, the system's DPI on 7.
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>)"));
    EXPECT_THAT(manifest, testing::HasSubstr(R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>)"));
    FreeLibrary(module);
}

}  // namespace
}  // namespace tarvin
