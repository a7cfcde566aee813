#pragma once

namespace tarvin {

// Child window identifiers of the main window. They stay clear of IDOK (1) and
// IDCANCEL (2), so that Enter and Escape reach no control.
enum ControlId : int {
    kLabel1 = 100,
    kList1 = 101,
    kLabel2 = 102,
    kList2 = 103,
    kCommand2 = 200,  // the move buttons: kCommand2 + index, 0 <= index < kMoveButtonCount
    kMoveSelected = kCommand2 + 0,      // ">"
    kMoveSelectedBack = kCommand2 + 1,  // "<"
    kMoveAll = kCommand2 + 2,           // ">>"
    kMoveAllBack = kCommand2 + 3,       // "<<"
    kCommand3 = 300,
    kCommand4 = 400,
};

inline constexpr int kMoveButtonCount = 4;

// The window class of the main window.
inline constexpr wchar_t kMainWindowClass[] = L"TARVIN.Form1";

}  // namespace tarvin
