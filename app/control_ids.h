#pragma once

namespace tarvin {

// Child window identifiers of the main window. They stay clear of IDOK (1) and
// IDCANCEL (2), so that Enter and Escape reach no control.
enum ControlId : int {
    kLabel1 = 100,
    kList1 = 101,
    kLabel2 = 102,
    kList2 = 103,
    // The four move buttons are the control array Command2: each one's
    // identifier is kCommand2 + its Index.
    kCommand2 = 200,
    kMoveSelected = kCommand2 + 0,      // ">"
    kMoveSelectedBack = kCommand2 + 1,  // "<"
    kMoveAll = kCommand2 + 2,           // ">>"
    kMoveAllBack = kCommand2 + 3,       // "<<"
    kCommand3 = 300,                    // the run-deletion button
    kCommand4 = 400,                    // the exit button
};

inline constexpr int kMoveButtonCount = 4;

}  // namespace tarvin
