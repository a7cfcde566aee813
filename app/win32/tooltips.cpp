#include "app/win32/tooltips.h"

#include <commctrl.h>

#include "app/texts.h"
#include "app/win32/layout.h"

namespace tarvin {

Result<HWND> CreateTooltips(HWND window, HINSTANCE instance) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};  // tab and tooltip classes
    InitCommonControlsEx(&classes);
    const HWND tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                          WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                          CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance,
                                          nullptr);
    if (!tooltips) return Failure{kCreateWindowLabel, GetLastError()};
    for (const ControlLayout& control : kControls) {
        if (!control.tooltip) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every version of the control
        // The tool is the control's window, whose mouse messages the tooltip
        // watches by subclassing it: no rectangle to keep up to date.
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, control.id));
        tool.lpszText = const_cast<wchar_t*>(control.tooltip);  // copied by the control
        if (!SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
            DestroyWindow(tooltips);
            // The control gives no code: it refuses a well-formed tool only
            // when it cannot make room for it.
            return Failure{L"(TTM_ADDTOOL)", ERROR_NOT_ENOUGH_MEMORY};
        }
    }
    return tooltips;
}

}  // namespace tarvin
