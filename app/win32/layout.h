#pragma once

#include <windows.h>

#include <array>

namespace tarvin {

enum class ControlKind { Label, List, Button };

// One child control of the main window, placed in twips (1/1440 inch)
// relative to the client area's top left corner.
struct ControlLayout {
    int id;
    ControlKind kind;
    const wchar_t* caption;
    int left, top, width, height;
    const wchar_t* tooltip;  // null: none
};

// A control's place in pixels, relative to the client area.
struct PixelPlacement {
    int x, y, width, height;
};

// The window's client size in twips.
inline constexpr int kClientWidthTwips = 4740;
inline constexpr int kClientHeightTwips = 5190;

// The controls in child-window order, which is also the Tab order of those
// that take the focus. Each label stands directly before its list, so that
// assistive tools name the list after it.
extern const std::array<ControlLayout, 10> kControls;

// Converts twips to pixels at dpi dots per inch.
inline int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// Where control goes at dpi dots per inch.
inline PixelPlacement PlacementAt(const ControlLayout& control, int dpi) {
    return {TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
            TwipsToPixels(control.width, dpi), TwipsToPixels(control.height, dpi)};
}

}  // namespace tarvin
