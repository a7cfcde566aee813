#pragma once

// Looks into the window of another process (TARVIN.exe) from outside: places
// of its controls, the keyboard focus, the tooltips, and messages whose
// parameters point to memory.

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>

#include "common/win32/unique_handle.h"

namespace tarvin::testing {

// The rectangle of the child control with this id, in window's client coordinates.
RECT ChildRect(HWND window, int controlId);

// The window with the keyboard focus in window's thread; null if none.
HWND FocusedWindow(HWND window);

// Posts a key press, down and up, to the window with the focus in window's
// thread, as the keyboard would. Returns without waiting for it to be handled.
void PressKey(HWND window, WPARAM virtualKey);

// The texts of the tooltip control that window owns, by the control ID of the
// window each tool stands for. Empty if window owns no tooltip control.
std::map<int, std::wstring> TooltipTexts(HWND window);

// A block of memory in the process of a window, for messages that carry a
// pointer: the pointer must be valid in the process that handles the message.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    // The block's address in the other process; null if it could not be had.
    void* address() const { return address_; }
    LPARAM param(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    void Write(const void* data, std::size_t size, std::size_t offset = 0);
    void Read(void* data, std::size_t size, std::size_t offset = 0) const;

private:
    UniqueKernelHandle process_;
    void* address_ = nullptr;
};

// Sets the DPI that Wine gives the processes started from now on (LogPixels
// under HKEY_CURRENT_USER\Control Panel\Desktop). Every test that looks at
// sizes sets the DPI it needs, so that none depends on one before it.
void SetSystemDpi(DWORD dpi);

}  // namespace tarvin::testing
