// TARVIN.exe's window from outside (frame, places of the controls at 96 and
// 144 DPI and after a DPI change, keyboard navigation, tooltips), and what
// the executable carries besides its code, read as Windows reads them.

#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

#include "app/control_ids.h"
#include "app/win32/layout.h"
#include "resources/resource_ids.h"
#include "tests/driver/tarvin_process.h"
#include "tests/driver/test_registry.h"

namespace tarvin::testing {
namespace {

// Twips at dpi in whole pixels, halves rounded up.
int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// The window with the keyboard focus in window's thread; null if none.
HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Posts a key press, down and up, to the focused window, as the keyboard would.
void PressKey(HWND window, WPARAM key) {
    PostMessageW(FocusedWindow(window), WM_KEYDOWN, key, 1);
    PostMessageW(FocusedWindow(window), WM_KEYUP, key, 0xC0000001);
}

// Memory in the process of a window, for messages that carry a pointer.
struct RemoteMemory {
    RemoteMemory(HWND window, SIZE_T size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process.reset(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
        address = static_cast<char*>(VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory() { VirtualFreeEx(process.get(), address, 0, MEM_RELEASE); }
    LPARAM At(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(address + offset); }
    bool Write(const void* data, SIZE_T size) { return WriteProcessMemory(process.get(), address, data, size, nullptr); }
    bool Read(void* data, SIZE_T size) const { return ReadProcessMemory(process.get(), address, data, size, nullptr); }
    UniqueKernelHandle process;
    char* address = nullptr;
};

// The texts of the tooltip control that window owns, by the control ID of
// the window each tool stands for; empty while there is none.
std::map<int, std::wstring> TooltipTexts(HWND window) {
    HWND tooltip = nullptr;
    while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tooltip, GW_OWNER) != window) {
    }
    std::map<int, std::wstring> texts;
    // TTM_ENUMTOOLSW fills a TTTOOLINFOW and copies the text to where it
    // points: both in the tooltip's process.
    struct ToolWithText {
        TTTOOLINFOW tool;
        wchar_t text[1024];
    } entry;
    RemoteMemory remote(window, sizeof entry);
    for (LRESULT i = 0; tooltip && i < SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); ++i) {
        entry = {};
        entry.tool.cbSize = sizeof entry.tool;
        entry.tool.lpszText = reinterpret_cast<wchar_t*>(remote.At(offsetof(ToolWithText, text)));
        EXPECT_TRUE(remote.Write(&entry, sizeof entry) && SendMessageW(tooltip, TTM_ENUMTOOLSW, i, remote.At()) &&
                    remote.Read(&entry, sizeof entry - sizeof(wchar_t)));
        texts[entry.tool.uFlags & TTF_IDISHWND ? GetDlgCtrlID(reinterpret_cast<HWND>(entry.tool.uId)) : -1] = entry.text;
    }
    return texts;
}

// Checks that the client area and every control have the layout's sizes and
// places at dpi. A list box keeps its height to whole lines, so it may come
// out shorter, by less than one line.
void ExpectLayout(HWND window, int dpi) {
    EXPECT_EQ(ClientSize(window).cx, Pixels(kClientWidthTwips, dpi));
    EXPECT_EQ(ClientSize(window).cy, Pixels(kClientHeightTwips, dpi));
    for (const ControlLayout& control : kControls) {
        SCOPED_TRACE(::testing::Message() << "control " << control.id);
        const HWND child = GetDlgItem(window, control.id);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, Pixels(control.left, dpi));
        EXPECT_EQ(rect.top, Pixels(control.top, dpi));
        EXPECT_EQ(rect.right - rect.left, Pixels(control.width, dpi));
        const int height = Pixels(control.height, dpi);
        const int line = control.kind == ControlKind::List ? SendMessageW(child, LB_GETITEMHEIGHT, 0, 0) : 1;
        EXPECT_LE(rect.bottom - rect.top, height);
        EXPECT_GT(rect.bottom - rect.top, height - line);
    }
}

// The layout's own alignments: each label over its list's left edge, the
// lists side by side, the move buttons in one column centred between them,
// the two command buttons in one row under the lists' outer edges.
TEST(Layout, LinesUpControlsAsDesigned) {
    std::map<int, ControlLayout> at;
    for (const ControlLayout& control : kControls) at.emplace(control.id, control);
    const auto right = [&](int id) { return at.at(id).left + at.at(id).width; };
    const auto sameRowAndSize = [&](int a, int b) {
        return at.at(a).top == at.at(b).top && at.at(a).width == at.at(b).width && at.at(a).height == at.at(b).height;
    };
    EXPECT_TRUE(at.at(kLabel1).left == at.at(kList1).left && at.at(kLabel2).left == at.at(kList2).left);
    EXPECT_TRUE(sameRowAndSize(kList1, kList2) && sameRowAndSize(kCommand3, kCommand4));
    EXPECT_TRUE(at.at(kCommand3).left == at.at(kList1).left && right(kCommand4) == right(kList2));
    for (const int id : {kMoveSelected, kMoveSelectedBack, kMoveAll, kMoveAllBack}) {
        EXPECT_EQ(at.at(id).left - right(kList1), at.at(kList2).left - right(id)) << id;
    }
}

class WindowTest : public ::testing::Test {
protected:
    // Starts TARVIN.exe at dpi (the LogPixels that Wine gives the processes
    // it starts) and waits for its window, active with a control focused (the
    // focus comes with activation, after the window shows).
    HWND Start(DWORD dpi = 96) {
        EXPECT_TRUE(SeedVendorKey(HKEY_CURRENT_USER, {L"KT-ARVO1", L"KT-HLD"}));
        const LSTATUS set = RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, 4);
        EXPECT_EQ(set, ERROR_SUCCESS);
        tarvin_.emplace();
        const HWND window = tarvin_->Window();
        for (int waited = 0; window && !FocusedWindow(window) && waited < 5000; waited += 20) Sleep(20);
        EXPECT_NE(window, nullptr);
        return window;
    }

    // Presses Tab and waits until the focus has moved; returns the id of where it went.
    static int PressTab(HWND window) {
        const HWND before = FocusedWindow(window);
        PressKey(window, VK_TAB);
        for (int waited = 0; FocusedWindow(window) == before && waited < 5000; waited += 20) Sleep(20);
        return GetDlgCtrlID(FocusedWindow(window));
    }

    std::optional<TarvinProcess> tarvin_;
};

// At 144 and 96 DPI from the start, and after a change from 96 to 144 DPI,
// for which Windows suggests a frame: here, the frame around the client
// area that 144 DPI asks for.
TEST_F(WindowTest, AFixedFrameWithTheLayoutAt96And144DpiAndAfterADpiChange) {
    HWND window = nullptr;
    for (const DWORD dpi : {144, 96}) {
        SCOPED_TRACE(dpi);
        ASSERT_NE(window = Start(dpi), nullptr);
        wchar_t caption[32];
        EXPECT_EQ(std::wstring(caption, GetWindowTextW(window, caption, 32)), L"QIRA情報削除");
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) &
                      (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX),
                  WS_CAPTION | WS_SYSMENU);
        ExpectLayout(window, dpi);
    }
    const auto lineAt96 = SendMessageW(GetDlgItem(window, kList1), LB_GETITEMHEIGHT, 0, 0);
    RECT suggested{};
    GetWindowRect(window, &suggested);
    suggested.right += Pixels(kClientWidthTwips, 144) - ClientSize(window).cx;
    suggested.bottom += Pixels(kClientHeightTwips, 144) - ClientSize(window).cy;
    RemoteMemory remote(window, sizeof suggested);
    ASSERT_TRUE(remote.Write(&suggested, sizeof suggested));
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), remote.At());
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    ExpectLayout(window, 144);
    // The lists' lines follow the font, which is made anew for the new DPI.
    EXPECT_GT(SendMessageW(GetDlgItem(window, kList1), LB_GETITEMHEIGHT, 0, 0), lineAt96);
}

// Labels stand before their lists, for assistive tools; Tab goes from List2
// to ">" although ">>" stands above it. No button is the default or the
// cancel button: Enter in a list and Escape press none, and the delete list
// keeps its lines. (A button that has the focus takes Enter as a click, as
// every Windows push button does.) Every button has its tooltip, and
// nothing else has one.
TEST_F(WindowTest, ChildOrderTabOrderKeysAndTooltips) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    std::vector<int> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(GetDlgCtrlID(child));
    }
    EXPECT_THAT(children, ::testing::ElementsAre(kLabel1, kList1, kLabel2, kList2, kMoveSelected, kMoveSelectedBack,
                                      kMoveAll, kMoveAllBack, kCommand3, kCommand4));

    ASSERT_EQ(GetDlgCtrlID(FocusedWindow(window)), kList1);
    // Something for a deletion to delete, moved without moving the focus as a click would.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kMoveAll, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, kMoveAll)));
    PressKey(window, VK_RETURN);
    PressKey(window, VK_ESCAPE);
    // Posted keys are handled in order: once Tab has moved the focus, the keys before it have been.
    std::vector<int> visited;
    for (int tabs = 0; tabs < 8; ++tabs) visited.push_back(PressTab(window));
    EXPECT_THAT(visited, ::testing::ElementsAre(kList2, kMoveSelected, kMoveSelectedBack, kMoveAll, kMoveAllBack,
                                     kCommand3, kCommand4, kList1));
    EXPECT_TRUE(tarvin_->MessageBoxShown() == nullptr && tarvin_->LineCount(kList2) == 2);
    // The tooltips are made once the window shows, not with it.
    std::map<int, std::wstring> texts;
    for (int waited = 0; (texts = TooltipTexts(window)).empty() && waited < 5000; waited += 20) Sleep(20);
    EXPECT_EQ(texts, (std::map<int, std::wstring>{{kMoveSelected, L"選択を削除リストに移動"},
                                                  {kMoveSelectedBack, L"選択を選択リストに戻す"},
                                                  {kMoveAll, L"全てを削除リストに移動"},
                                                  {kMoveAllBack, L"全てを選択リストに戻す"},
                                                  {kCommand3, L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します"},
                                                  {kCommand4, L"このプログラムを終了します"}}));
}

// Version 1.00 in Japanese; one icon with the 16-colour image beside the
// usual sizes; a manifest for the highest available level and visual styles.
TEST(Executable, VersionIconAndManifest) {
    const std::wstring path = BesideThisProgram(L"TARVIN.exe");
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    const auto query = [&info](const wchar_t* path) {
        void* value = nullptr;
        UINT length = 0;
        EXPECT_TRUE(VerQueryValueW(info.data(), path, &value, &length)) << path;
        return value;
    };
    const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    ASSERT_TRUE(translation && fixed);
    EXPECT_EQ(translation[0] | translation[1] << 16, 0x0411 | 1200 << 16);  // Japanese, UTF-16
    EXPECT_TRUE(fixed->dwFileVersionMS == 0x00010000 && fixed->dwProductVersionMS == 0x00010000 &&
                (fixed->dwFileVersionLS | fixed->dwProductVersionLS) == 0 && fixed->dwFileType == VFT_APP);
    for (const auto& [key, expected] : std::map<std::wstring, std::wstring>{
             {L"Comments", L"QIRA関連レジストリの削除プログラム"}, {L"CompanyName", L"Norvale"},
             {L"ProductName", L"TARVIN"}, {L"FileVersion", L"1.00"}, {L"ProductVersion", L"1.00"},
             {L"InternalName", L"TARVIN"}, {L"OriginalFilename", L"TARVIN.exe"}}) {
        EXPECT_STREQ(static_cast<const wchar_t*>(query((L"\\StringFileInfo\\041104B0\\" + key).c_str())),
                     expected.c_str());
    }

    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const auto resource = [module](const wchar_t* name, const wchar_t* type) {
        const HRSRC found = FindResourceW(module, name, type);
        return std::string(found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : "",
                           found ? SizeofResource(module, found) : 0);
    };
    // The icon's directory: a 6-byte header, then 14 bytes an image: width (0
    // for 256), height, colour count, a reserved byte, planes, bits per pixel, ...
    const std::string group = resource(MAKEINTRESOURCEW(IDI_TARVIN), RT_GROUP_ICON);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (std::size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(group[entry + at]); };
        images.emplace_back(byte(0) ? byte(0) : 256, byte(6) | byte(7) << 8);
        EXPECT_TRUE(images.back().second != 4 || byte(2) == 16);
    }
    EXPECT_THAT(images, ::testing::IsSupersetOf({std::pair{16, 32}, std::pair{32, 32}, std::pair{48, 32},
                                                 std::pair{128, 4}, std::pair{256, 32}}));
    const std::string manifest = resource(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    EXPECT_THAT(manifest, ::testing::HasSubstr(R"(<requestedExecutionLevel level="highestAvailable")"));
    EXPECT_THAT(manifest, ::testing::HasSubstr(R"(name="Microsoft.Windows.Common-Controls")"));
    EXPECT_THAT(manifest, ::testing::HasSubstr(R"(version="6.0.0.0")"));
    FreeLibrary(module);
}

}  // namespace
}  // namespace tarvin::testing
