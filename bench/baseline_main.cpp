// The least that TARVIN's work needs with the raw API, as a yardstick for the
// benchmark: a bare window with TARVIN's two sorted list boxes and its move
// and run-deletion buttons (same control ids, so that the benchmark drives
// both programs alike), and nothing else: no name table, no entry names kept
// beside the lines, no administrator check, no error reports.

#include <windows.h>

#include <string>

#include "app/control_ids.h"
#include "app/texts.h"
#include "common/win32/unique_handle.h"
#include "registry/registry.h"

namespace {

using tarvin::UniqueRegistryKey;

constexpr DWORD kNameBufferLength = 256;  // 255 characters and the NUL

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window, message, wParam, lParam);
}

std::wstring LineText(HWND list, int index) {
    wchar_t text[kNameBufferLength];
    const LRESULT length = Send(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return length == LB_ERR ? std::wstring() : std::wstring(text, static_cast<size_t>(length));
}

// Switches the list's repainting off for a bulk change and makes room for
// `lines` lines; the destructor repaints it once.
class BulkChange {
public:
    BulkChange(HWND list, int lines) : list_(list) {
        Send(list_, WM_SETREDRAW, FALSE);
        Send(list_, LB_INITSTORAGE, static_cast<WPARAM>(lines), lines * 16);
    }
    ~BulkChange() {
        Send(list_, WM_SETREDRAW, TRUE);
        InvalidateRect(list_, nullptr, TRUE);
    }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

private:
    HWND list_;
};

void FillFromRegistry(HWND list) {
    UniqueRegistryKey vendor;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, tarvin::kVendorKeyPath, 0, KEY_READ, vendor.put()) !=
        ERROR_SUCCESS) {
        return;
    }
    DWORD subkeys = 0;
    RegQueryInfoKeyW(vendor.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr);
    BulkChange change(list, static_cast<int>(subkeys));
    wchar_t name[kNameBufferLength];
    for (DWORD index = 0;; ++index) {
        DWORD length = kNameBufferLength;
        if (RegEnumKeyExW(vendor.get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            return;
        }
        Send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

void MoveAll(HWND from, HWND to) {
    const int count = static_cast<int>(Send(from, LB_GETCOUNT));
    {
        BulkChange change(to, count + static_cast<int>(Send(to, LB_GETCOUNT)));
        for (int i = 0; i < count; ++i) {
            Send(to, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LineText(from, i).c_str()));
        }
    }
    Send(from, LB_RESETCONTENT);
}

void DeleteUnder(HKEY hive, HWND list) {
    UniqueRegistryKey vendor;
    if (RegOpenKeyExW(hive, tarvin::kVendorKeyPath, 0, tarvin::kKeyAllKeySpecificRights,
                      vendor.put()) != ERROR_SUCCESS) {
        return;
    }
    for (int i = static_cast<int>(Send(list, LB_GETCOUNT)) - 1; i >= 0; --i) {
        RegDeleteKeyW(vendor.get(), LineText(list, i).c_str());
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const HWND registered = GetDlgItem(window, tarvin::kRegisteredList);
        const HWND toDelete = GetDlgItem(window, tarvin::kDeleteList);
        switch (LOWORD(wParam)) {
        case tarvin::kMoveAll:
            MoveAll(registered, toDelete);
            return 0;
        case tarvin::kMoveAllBack:
            MoveAll(toDelete, registered);
            return 0;
        case tarvin::kRunDeletionButton:
            DeleteUnder(HKEY_CURRENT_USER, toDelete);
            DeleteUnder(HKEY_LOCAL_MACHINE, toDelete);
            Send(toDelete, LB_RESETCONTENT);
            return 0;
        }
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateChild(HWND parent, const wchar_t* className, DWORD style, int id, int left) {
    CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, left, 10, 150,
                    id == tarvin::kRegisteredList || id == tarvin::kDeleteList ? 300 : 25, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = tarvin::kMainWindowClass;  // found as TARVIN's is
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Baseline",
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 700,
                                        400, nullptr, nullptr, instance, nullptr);
    constexpr DWORD kListStyle = WS_VSCROLL | WS_BORDER | LBS_SORT | LBS_EXTENDEDSEL;
    CreateChild(window, L"LISTBOX", kListStyle, tarvin::kRegisteredList, 10);
    CreateChild(window, L"LISTBOX", kListStyle, tarvin::kDeleteList, 330);
    CreateChild(window, L"BUTTON", BS_PUSHBUTTON, tarvin::kMoveAll, 170);
    CreateChild(window, L"BUTTON", BS_PUSHBUTTON, tarvin::kMoveAllBack, 170);
    CreateChild(window, L"BUTTON", BS_PUSHBUTTON, tarvin::kRunDeletionButton, 490);

    FillFromRegistry(GetDlgItem(window, tarvin::kRegisteredList));
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
