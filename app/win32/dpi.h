#pragma once

#include <windows.h>

namespace tarvin {

// DPI queries for a program that runs from Windows 7 on. The per-monitor
// functions of Windows 10 are looked up at run time; where they are missing,
// every window has the system DPI, and these fall back to it.

// The dots per inch that window is drawn at.
int WindowDpi(HWND window);

// The window size, in pixels, that gives a client area of clientWidth by
// clientHeight at dpi for a window of this style (no menu). The client size
// itself when the system cannot tell.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// The system's message font, sized for dpi; null when it cannot be created.
// The caller owns the font.
HFONT CreateMessageFont(int dpi);

}  // namespace tarvin
