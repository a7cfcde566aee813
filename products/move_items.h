#pragma once

#include "products/list_box.h"

namespace tarvin {

// The lines a move takes.
enum class Lines { Selected, All };

// Moves lines from source to destination: every line, or the selected ones.
// All qualifying lines are copied first, then removed from the last to the
// first, so that a removal never shifts a line still to be visited. Moved
// lines keep their entries and arrive unselected in sorted position; equal
// lines are never merged. Lines that stay keep their selection.
void MoveItems(ListBox& source, ListBox& destination, Lines lines);

}  // namespace tarvin
