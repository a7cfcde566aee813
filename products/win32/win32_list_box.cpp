#include "products/win32/win32_list_box.h"

namespace tarvin {

int Win32ListBox::LineCount() const {
    return static_cast<int>(Send(LB_GETCOUNT));
}

std::wstring Win32ListBox::Text(int line) const {
    const LRESULT length = Send(LB_GETTEXTLEN, line);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    const LRESULT copied = Send(LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

bool Win32ListBox::Selected(int line) const {
    return Send(LB_GETSEL, line) > 0;
}

EntryId Win32ListBox::Entry(int line) const {
    return static_cast<EntryId>(Send(LB_GETITEMDATA, line));
}

void Win32ListBox::AddItem(const std::wstring& text, EntryId entry) {
    const LRESULT line = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (line >= 0) Send(LB_SETITEMDATA, line, static_cast<LPARAM>(entry));
}

void Win32ListBox::RemoveItem(int line) {
    Send(LB_DELETESTRING, line);
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
