#pragma once

#include <windows.h>

#include "common/failure.h"

namespace tarvin {

// Creates a tooltip control owned by window and gives it one tool for each
// child control that the layout gives a tooltip, the child's window being the
// tool. Call after the children exist. The tooltip control goes with its owner.
Result<HWND> CreateTooltips(HWND window, HINSTANCE instance);

}  // namespace tarvin
