#pragma once

namespace tarvin {

// Child window identifiers of the main window. They stay clear of IDOK (1) and
// IDCANCEL (2), so that Enter and Escape reach no control.
enum ControlId : int {
    kRegisteredLabel = 100,
    kRegisteredList = 101,
    kDeleteListLabel = 102,
    kDeleteList = 103,
    kMoveSelected = 200,      // ">"
    kMoveSelectedBack = 201,  // "<"
    kMoveAll = 202,           // ">>"
    kMoveAllBack = 203,       // "<<"
    kRunDeletionButton = 300,
    kExitButton = 400,
};

}  // namespace tarvin
