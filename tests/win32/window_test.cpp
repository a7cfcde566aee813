// TARVIN.exe's window from outside (places of the controls after a DPI
// change, keyboard navigation, focus, tooltips), and its icon and manifest,
// read as Windows reads them. The pictures of the window at 96 and 144 DPI
// (scripts/window-screenshot.sh) hold its frame, caption and layout at either.

#include <windows.h>
#include <commctrl.h>
#include <winternl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
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

extern "C" NTSTATUS NTAPI NtMapViewOfSection(HANDLE section, HANDLE process, void** base, ULONG_PTR zeroBits,
                                             SIZE_T commitSize, LARGE_INTEGER* offset, SIZE_T* viewSize,
                                             DWORD inherit, ULONG allocationType, ULONG protection);
extern "C" NTSTATUS NTAPI NtUnmapViewOfSection(HANDLE process, void* base);

// Memory shared with the process of a window, for messages that carry a
// pointer: written and read here, at At() there; null here when it could not
// be had. The process maps it itself, so that its address is its own also
// where the process runs under qemu-i386, which Read- and WriteProcessMemory
// would miss.
struct SharedMemory {
    SharedMemory(HWND window, DWORD size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process.reset(OpenProcess(PROCESS_VM_OPERATION, FALSE, processId));
        section.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr));
        SIZE_T viewSize = 0;
        constexpr DWORD kViewUnmap = 2;  // not inherited by child processes
        if (NT_SUCCESS(NtMapViewOfSection(section.get(), process.get(), &there, 0, 0, nullptr, &viewSize, kViewUnmap,
                                          0, PAGE_READWRITE))) {
            here = static_cast<char*>(MapViewOfFile(section.get(), FILE_MAP_WRITE, 0, 0, size));
        }
    }
    ~SharedMemory() { NtUnmapViewOfSection(process.get(), there); UnmapViewOfFile(here); }
    LPARAM At(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(there) + offset); }
    UniqueKernelHandle process, section;
    void* there = nullptr;
    char* here = nullptr;
};

// TTTOOLINFOW as TARVIN, a 32-bit program, reads it (handles and pointers in
// 32 bits, whatever this program's own are), and the text it points to.
struct ToolWithText32 {
    UINT cbSize, uFlags;
    std::uint32_t hwnd, uId;
    RECT rect;
    std::uint32_t hinst, lpszText, lParam;
    wchar_t text[1024];
};

// The texts of the tooltip control that window owns, by the control ID of
// the window each tool stands for; empty while there is none.
std::map<int, std::wstring> TooltipTexts(HWND window) {
    HWND tooltip = nullptr;
    while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tooltip, GW_OWNER) != window) {
    }
    std::map<int, std::wstring> texts;
    // TTM_ENUMTOOLSW fills the tool's description and copies the text to
    // where it points: both in the tooltip's process.
    const SharedMemory shared(window, sizeof(ToolWithText32));
    auto* const entry = reinterpret_cast<ToolWithText32*>(shared.here);
    for (LRESULT i = 0; entry && tooltip && i < SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); ++i) {
        const auto text = static_cast<std::uint32_t>(shared.At(offsetof(ToolWithText32, text)));
        *entry = {offsetof(ToolWithText32, text), 0, 0, 0, {}, 0, text, 0, {}};
        EXPECT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, i, shared.At()));
        texts[entry->uFlags & TTF_IDISHWND ? GetDlgCtrlID(static_cast<HWND>(ULongToHandle(entry->uId))) : -1] =
            entry->text;
    }
    return texts;
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

class WindowTest : public testing::Test {
protected:
    // Starts TARVIN.exe at dpi (the LogPixels that Wine gives the processes
    // it starts) and waits for its window, active with a control focused (the
    // focus comes with activation, after the window shows).
    HWND Start(DWORD dpi) {
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

// After a change from 96 to 144 DPI, for which Windows suggests a frame
// (here, the one around the client area that 144 DPI asks for), the layout of
// a window started at 144 DPI, its lists' lines in a font made anew for it.
// (The pictures of windows started at 96 and 144 DPI hold their layouts,
// frames and captions, pixel for pixel.)
TEST_F(WindowTest, TheLayoutAfterADpiChangeKeysFocusAndTooltips) {
    ASSERT_NE(Start(144), nullptr);
    const auto at144 = Layout(tarvin_->Window());
    const HWND window = Start(96);
    ASSERT_NE(window, nullptr);
    const auto at96 = Layout(window).at(0);
    RECT suggested{};
    GetWindowRect(window, &suggested);
    suggested.right += std::get<2>(at144.at(0)) - std::get<2>(at96);
    suggested.bottom += std::get<3>(at144.at(0)) - std::get<3>(at96);
    const SharedMemory shared(window, sizeof suggested);
    ASSERT_NE(shared.here, nullptr);
    *reinterpret_cast<RECT*>(shared.here) = suggested;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), shared.At());
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(Layout(window), at144);

    // Tab goes from the delete list to ">" although ">>" stands above it. No
    // button is the default or the cancel button: Enter in a list and Escape
    // press none, and the delete list keeps its lines. (A button that has the
    // focus takes Enter as a click, as every Windows push button does.) Every
    // button has its tooltip, and nothing else has one.
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
    // The tooltips are made once the window shows, not with it.
    std::map<int, std::wstring> texts;
    WaitUntil([&] { return !(texts = TooltipTexts(window)).empty(); });
    EXPECT_EQ(texts, (std::map<int, std::wstring>{{kMoveSelected, L"選択を削除リストに移動"},
                                                  {kMoveSelectedBack, L"選択を選択リストに戻す"},
                                                  {kMoveAll, L"全てを削除リストに移動"},
                                                  {kMoveAllBack, L"全てを選択リストに戻す"},
                                                  {kRunDeletionButton, L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します"},
                                                  {kExitButton, L"このプログラムを終了します"}}));
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
