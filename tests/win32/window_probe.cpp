#include "tests/win32/window_probe.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace tarvin::testing {

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
constexpr std::size_t kTooltipTextCapacity = 1024;  // characters

struct TooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedTooltip(HWND candidate, LPARAM param) {
    auto& search = *reinterpret_cast<TooltipSearch*>(param);
    wchar_t className[64] = {};
    GetClassNameW(candidate, className, 64);
    if (GetWindow(candidate, GW_OWNER) == search.owner &&
        std::wstring(className) == TOOLTIPS_CLASSW) {
        search.found = candidate;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

RECT ChildRect(HWND window, int controlId) {
    RECT rect{};
    GetWindowRect(GetDlgItem(window, controlId), &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                             : nullptr;
}

void PressKey(HWND window, WPARAM virtualKey) {
    const HWND focus = FocusedWindow(window);
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

std::map<int, std::wstring> TooltipTexts(HWND window) {
    TooltipSearch search{window, nullptr};
    EnumWindows(FindOwnedTooltip, reinterpret_cast<LPARAM>(&search));
    std::map<int, std::wstring> texts;
    if (!search.found) return texts;

    // TTM_ENUMTOOLSW fills a TTTOOLINFOW and copies the text into the buffer
    // it points to: both in the tooltip's process.
    RemoteMemory remote(window, sizeof(TTTOOLINFOW) + kTooltipTextCapacity * sizeof(wchar_t));
    if (!remote.address()) return texts;
    const auto count = SendMessageW(search.found, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<wchar_t*>(remote.param(sizeof tool));
        remote.Write(&tool, sizeof tool);
        const wchar_t empty = L'\0';
        remote.Write(&empty, sizeof empty, sizeof tool);
        if (!SendMessageW(search.found, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), remote.param())) {
            ADD_FAILURE() << "no tool " << i;
            continue;
        }
        remote.Read(&tool, sizeof tool);
        wchar_t text[kTooltipTextCapacity] = {};
        remote.Read(text, sizeof text - sizeof(wchar_t), sizeof tool);
        const int id = (tool.uFlags & TTF_IDISHWND)
                           ? GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))
                           : -1;
        texts[id] = text;
    }
    return texts;
}

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId));
    if (process_) {
        address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    }
    EXPECT_NE(address_, nullptr) << "no memory in the window's process: " << GetLastError();
}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
    EXPECT_TRUE(WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data,
                                   size, nullptr));
}

void RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
    EXPECT_TRUE(ReadProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data,
                                  size, nullptr));
}

void SetSystemDpi(DWORD dpi) {
    UniqueRegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              key.receive(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key.get(), kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                             sizeof dpi),
              ERROR_SUCCESS);
}

}  // namespace tarvin::testing
