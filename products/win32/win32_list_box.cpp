#include "products/win32/win32_list_box.h"

namespace tarvin {

int Win32ListBox::ListCount() const {
    return static_cast<int>(Send(LB_GETCOUNT));
}

std::wstring Win32ListBox::List(int index) const {
    const LRESULT length = Send(LB_GETTEXTLEN, index);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    const LRESULT copied = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

bool Win32ListBox::Selected(int index) const {
    return Send(LB_GETSEL, index) > 0;
}

EntryId Win32ListBox::Entry(int index) const {
    return static_cast<EntryId>(Send(LB_GETITEMDATA, index));
}

void Win32ListBox::AddItem(const std::wstring& text, EntryId entry) {
    const LRESULT index = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) Send(LB_SETITEMDATA, index, static_cast<LPARAM>(entry));
}

void Win32ListBox::RemoveItem(int index) {
    Send(LB_DELETESTRING, index);
}

void Win32ListBox::Clear() {
    Send(LB_RESETCONTENT);
}

void Win32ListBox::BeginBulkChange(int addedLines) {
    // Otherwise every line repaints the list box and its scroll bar, and the
    // line array grows in small steps.
    Send(WM_SETREDRAW, FALSE);
    if (addedLines > 0) {
        constexpr int kTypicalTextBytes = 32 * sizeof(wchar_t);
        Send(LB_INITSTORAGE, static_cast<WPARAM>(addedLines), addedLines * kTypicalTextBytes);
    }
}

void Win32ListBox::EndBulkChange() {
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(listBox_, nullptr, TRUE);
}

}  // namespace tarvin
