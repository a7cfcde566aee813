#pragma once

#include <windows.h>

namespace tarvin {

// Creates a tooltip control owned by window and gives it one tool for each
// child control that the layout gives a tooltip, the child's window being the
// tool. Call after the children exist. Returns the tooltip control, which goes
// with its owner; null on failure, with the reason in GetLastError().
HWND CreateTooltips(HWND window, HINSTANCE instance);

}  // namespace tarvin
