#pragma once

#include <windows.h>

#include "products/list_box.h"

namespace tarvin {

// A ListBox on a Win32 list box control with LBS_SORT; each line's item data
// holds its EntryId. Does not own the window.
class Win32ListBox final : public ListBox {
public:
    explicit Win32ListBox(HWND listBox) : listBox_(listBox) {}

    int LineCount() const override;
    std::wstring Text(int line) const override;
    bool Selected(int line) const override;
    EntryId Entry(int line) const override;
    void AddItem(const std::wstring& text, EntryId entry) override;
    void RemoveItem(int line) override;
    void Clear() override;
    // Switches the list box's repainting off and reserves its storage; the end
    // switches repainting on and repaints the list box once.
    void BeginBulkChange(int addedLines) override;
    void EndBulkChange() override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(listBox_, message, wParam, lParam);
    }

    HWND listBox_;
};

}  // namespace tarvin
