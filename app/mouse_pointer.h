#pragma once

namespace tarvin {

// The mouse pointer over the window.
class MousePointer {
public:
    virtual ~MousePointer() = default;

    // Shows the busy (hourglass) pointer over the window, or the default one.
    virtual void SetBusy(bool busy) = 0;
};

}  // namespace tarvin
